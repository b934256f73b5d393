// The display buffer's zoom step and window slide as the host sees them.
#include <tuple>

#include "plugin_fixture.h"

namespace velokrom::testing {
namespace {

class DisplayBufferTest : public PluginTest {};

TEST_F(DisplayBufferTest, ARunStartsAtZoomOneOverTheTopLeftAndZoomStepsKeepTheBufferWithinTheScreen) {
    // The fake screen is 800 x 600; at 16 the view is 960 x 640.
    HostImage image = greenScreen(60, 40);
    interact(image, [](FilterPlugin& plugin) {
        const auto& d = plugin.display;
        EXPECT_EQ(plugin.zoomFactor, 1.0);
        EXPECT_EQ(std::tie(d.columns, d.rows, d.left, d.top, d.bottom), std::make_tuple(60, 40, 0, 0, 39));
        ASSERT_EQ(applyZoomStep(plugin, plugin.display, 16.0, 59, 39), noErr);
        // Centred on the last pixel, held inside the view.
        EXPECT_EQ(std::tie(d.columns, d.rows, d.left, d.top), std::make_tuple(800, 592, 960 - 800, 640 - 592));
        ASSERT_EQ(applyZoomStep(plugin, plugin.display, 0.5, 0, 0), noErr);
        EXPECT_EQ(std::tie(d.columns, d.rows, d.left, d.top), std::make_tuple(30, 20, 0, 0));
    });
}

TEST_F(DisplayBufferTest, PaintingPastTheBufferSlidesItAndShowsTheRightPixels) {
    const HostImage source = greenScreen(60, 40);
    HostImage image = source;
    interact(image, [&](FilterPlugin& plugin) {
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
    HostImage image = greenScreen(20, 10);
    interact(image, [](FilterPlugin& plugin) {
        for (int32_t y = 0; y < 10; ++y) plugin.matteRow(y, 0, 20)[7] = static_cast<uint8_t>(y * 20 + 5);
        renderDisplayBuffer(plugin, plugin.display, kViewMatte);
        const uint8_t* row = plugin.displayRow(6, 7);
        EXPECT_EQ(std::vector<uint8_t>(row, row + 3), std::vector<uint8_t>(3, 125));
    });
}

} // namespace
} // namespace velokrom::testing
