// The display buffer's zoom step and window slide as the host sees them, and the start dialog's
// decisions.
#include "plugin/filter_plugin.h"
#include "plugin_fixture.h"
#include "ui/start_dialog.h"

namespace velokrom::testing {
namespace {

class DisplayBufferTest : public PluginTest {
protected:
    // Runs a dialog run whose interactive part is script, on source.
    void interact(const HostImage& source, const std::function<void(FilterPlugin&)>& script) {
        dialogs.startAnswers = {kOverNeutralGray};
        dialogs.interactive = [&](MainWindow& window) {
            script(dynamic_cast<FilterPlugin&>(window));
            window.endInteractive(false);
        };
        HostImage image = source;
        EXPECT_EQ(host.runFilter(image, options, true), 1);
    }
    std::vector<uint8_t> screenPixel(int32_t x, int32_t y) const {
        const uint8_t* p = host.screen().data() + (static_cast<size_t>(y) * options.screenWidth + x) * 3;
        return {p[0], p[1], p[2]};
    }
};

TEST_F(DisplayBufferTest, EveryRunStartsAtZoomOneWithTheBufferOverTheTopLeft) {
    interact(greenScreen(30, 20), [](FilterPlugin& plugin) {
        EXPECT_EQ(plugin.zoomFactor, 1.0);
        EXPECT_EQ(plugin.display.columns, 30);
        EXPECT_EQ(plugin.display.rows, 20);
        EXPECT_EQ(plugin.display.left, 0);
        EXPECT_EQ(plugin.display.bottom, 19);
    });
}

TEST_F(DisplayBufferTest, ZoomStepKeepsTheBufferWithinTheScreenInWholeZoomSteps) {
    // The fake screen is 800 x 600; at 16 the view is 960 x 640.
    interact(greenScreen(60, 40), [](FilterPlugin& plugin) {
        ASSERT_EQ(applyZoomStep(plugin, plugin.display, 16.0, 59, 39), noErr);
        EXPECT_EQ(plugin.display.columns, 800);
        EXPECT_EQ(plugin.display.rows, 592);
        EXPECT_EQ(plugin.display.left, 960 - 800);  // centred on the last pixel, held inside the view
        EXPECT_EQ(plugin.display.top, 640 - 592);
        ASSERT_EQ(applyZoomStep(plugin, plugin.display, 0.5, 0, 0), noErr);
        EXPECT_EQ(plugin.display.columns, 30);
        EXPECT_EQ(plugin.display.rows, 20);
        EXPECT_EQ(plugin.display.left, 0);
    });
}

TEST_F(DisplayBufferTest, PaintingPastTheBufferSlidesItAndShowsTheRightPixels) {
    const HostImage source = greenScreen(60, 40);
    interact(source, [&](FilterPlugin& plugin) {
        ASSERT_EQ(applyZoomStep(plugin, plugin.display, 16.0, 0, 0), noErr);
        plugin.viewMode = kViewFront;
        renderDisplayBuffer(plugin, plugin.display, kViewFront);
        // A 100 x 80 window scrolled to the view's right edge (zoomed columns 860 .. 959).
        const DisplayRect span{500, 860, 579, 959};
        const DisplayRect dest{0, 0, 79, 99};
        EXPECT_EQ(plugin.displayRegion(span, dest, nullptr), noErr);
        EXPECT_EQ(plugin.display.right, 959);
        EXPECT_EQ(plugin.display.left, 959 - 799);
    });
    // Window pixel (x, y) shows zoomed pixel (860 + x, 500 + y): image pixel /16, up to the
    // destination's last row and column.
    for (int32_t x : {0, 3, 4, 50, 98, 99})
        for (int32_t y : {0, 12, 78, 79}) {
            const uint8_t* expected = source.at((500 + y) / 16, (860 + x) / 16);
            EXPECT_EQ(screenPixel(x, y), std::vector<uint8_t>(expected, expected + 3)) << x << "," << y;
        }
}

TEST_F(DisplayBufferTest, MatteViewShowsGrey) {
    interact(greenScreen(20, 10), [](FilterPlugin& plugin) {
        for (int32_t y = 0; y < 10; ++y) plugin.matteRow(y, 0, 20)[7] = static_cast<uint8_t>(y * 20 + 5);
        renderDisplayBuffer(plugin, plugin.display, kViewMatte);
        const uint8_t* row = plugin.displayRow(6, 7);
        EXPECT_EQ(std::vector<uint8_t>(row, row + 3), std::vector<uint8_t>(3, 125));
    });
}

TEST(StartDialog, PresetCheckedAndEnabledButtons) {
    EXPECT_EQ(presetStartChoice(true), kOverSavedBackground);
    EXPECT_EQ(presetStartChoice(false), kSaveAsBackground);
    const StartDialogButtons withFile = initialStartDialogButtons(kOverSavedBackground);
    EXPECT_TRUE(withFile.useSavedChecked && withFile.useSavedEnabled);
    EXPECT_FALSE(withFile.saveChecked || withFile.useGrayChecked);
    const StartDialogButtons without = initialStartDialogButtons(kSaveAsBackground);
    EXPECT_TRUE(without.saveChecked);
    EXPECT_FALSE(without.useSavedEnabled || without.useSavedChecked || without.useGrayChecked);
}

TEST(StartDialog, ClicksChooseAndOnlyCancelRefuses) {
    EXPECT_EQ(choiceAfterClick(IDC_USE_GRAY_BACKGROUND, kSaveAsBackground), kOverNeutralGray);
    EXPECT_EQ(choiceAfterClick(IDC_USE_SAVED_BACKGROUND, kOverNeutralGray), kOverSavedBackground);
    EXPECT_EQ(choiceAfterClick(IDC_SAVE_AS_BACKGROUND, kOverNeutralGray), kSaveAsBackground);
    EXPECT_EQ(choiceAfterClick(IDC_START_OK, kOverNeutralGray), kOverNeutralGray);
    EXPECT_TRUE(startDialogAccepted(IDC_START_OK));
    EXPECT_TRUE(startDialogAccepted(2));  // closed another way: not a Cancel
    EXPECT_FALSE(startDialogAccepted(IDC_START_CANCEL));
    const WindowOrigin origin = centredOnScreen(1024, 768, 293, 141);
    EXPECT_EQ(origin.left, 365);
    EXPECT_EQ(origin.top, 313);
}

} // namespace
} // namespace velokrom::testing
