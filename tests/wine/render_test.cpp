// Repeats of the last filter: the saved key rendered by the library into the host's image,
// compared with the same key applied by the engine in this process, over the neutral grey, over
// a background saved through the dialog, inside a selection, and with the matte in the alpha plane.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "composite/memory_image_access.h"
#include "engine/key_model.h"
#include "host/parameter_block.h"
#include "host_images.h"
#include "plugin_under_wine.h"
#include "ui/start_dialog_ids.h"
#include "ui_driver_win32.h"

namespace velokrom::winetest {
namespace {

using namespace vkhost;
using testing::expectedComposite;
using testing::rgbOf;
using testing::wholeOf;

// The key a parameter block holds.
KeyModelRecord keyOf(std::vector<uint8_t> block) { return ParameterBlock(block.data()).keyModel(); }

TEST_F(PluginUnderWine, RepeatRendersTheSavedKeyOverNeutralGray) {
    HostImage image = greenScreenShot(48, 24);
    const std::vector<uint8_t> block = parameterBlockWithKey(image, {});
    const RgbImage expected = expectedComposite(rgbOf(image), RgbImage(), keyOf(block), kBlendDirect, true);
    host->restoreParameters(block);
    ASSERT_EQ(host->runFilter(image, options(), false), 0);
    EXPECT_EQ(rgbOf(image).pixels, expected.pixels);
    // The backing gives way to the grey, the subject stays: the key did something.
    EXPECT_EQ(image.at(5, 2)[1], 127);
    EXPECT_EQ(image.at(5, 40)[0], greenScreenShot(48, 24).at(5, 40)[0]);
}

TEST_F(PluginUnderWine, ABackgroundSavedThroughTheDialogShowsThroughTheBacking) {
    removeBackgroundFile();
    HostImage backdrop(32, 16, 3);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 32; ++x) {
            uint8_t* p = backdrop.at(y, x);
            p[0] = static_cast<uint8_t>(x * 8);
            p[1] = static_cast<uint8_t>(y * 16);
            p[2] = 99;
        }
    const int16_t saved = runFilter(backdrop, true, [&] {
        HWND dialog = waitForStartDialog();
        ASSERT_NE(dialog, nullptr);
        pressButton(dialog, IDC_START_OK);  // the preset without a background: save
        HWND box = waitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(answerAndWait(box, IDOK));
    });
    ASSERT_EQ(saved, 1);
    ASSERT_TRUE(backgroundFileExists());

    HostImage image = greenScreenShot(32, 16);
    SavedSettings settings;
    settings.backgroundSource = 0;
    const std::vector<uint8_t> block = parameterBlockWithKey(image, settings);
    const RgbImage expected = expectedComposite(rgbOf(image), rgbOf(backdrop), keyOf(block), kBlendDirect, false);
    host->restoreParameters(block);
    ASSERT_EQ(host->runFilter(image, options(), false), 0);
    EXPECT_EQ(rgbOf(image).pixels, expected.pixels);
    EXPECT_EQ(image.at(3, 4)[0], backdrop.at(3, 4)[0]) << "the backing shows the saved background";
}

TEST_F(PluginUnderWine, ASelectionKeysOnlyItsRectangle) {
    HostImage image = greenScreenShot(40, 20);
    const HostImage original = image;
    const std::vector<uint8_t> block = parameterBlockWithKey(image, {});
    const Rect selection{4, 10, 15, 33};  // rows 4..14, columns 10..32
    const RgbImage expected = expectedComposite(rgbOf(image, selection), RgbImage(), keyOf(block), kBlendDirect, true);
    HostOptions withSelection = options();
    withSelection.hasSelection = true;
    withSelection.selection = selection;
    host->restoreParameters(block);
    ASSERT_EQ(host->runFilter(image, withSelection, false), 0);
    EXPECT_EQ(rgbOf(image, selection).pixels, expected.pixels);
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x) {
            const bool inside = y >= selection.top && y < selection.bottom && x >= selection.left && x < selection.right;
            if (!inside) {
                ASSERT_EQ(std::memcmp(image.at(y, x), original.at(y, x), 3), 0) << "outside at " << x << "," << y;
            }
        }
}

TEST_F(PluginUnderWine, TheMatteGoesIntoTheAlphaPlaneOnlyWhenAsked) {
    for (const bool writeMatte : {true, false}) {
        HostImage image = greenScreenShot(24, 12, 4);
        SavedSettings settings;
        settings.writeMatteToAlpha = writeMatte;
        const std::vector<uint8_t> block = parameterBlockWithKey(image, settings);
        std::vector<uint8_t> matte;
        const RgbImage expected = expectedComposite(rgbOf(image), RgbImage(), keyOf(block), kBlendDirect, true, &matte);
        host->restoreParameters(block);
        ASSERT_EQ(host->runFilter(image, options(), false), 0);
        EXPECT_EQ(rgbOf(image).pixels, expected.pixels);
        for (int32_t y = 0; y < image.height; ++y)
            for (int32_t x = 0; x < image.width; ++x) {
                const uint8_t want = writeMatte ? matte[static_cast<size_t>(y * image.width + x)] : 200;
                ASSERT_EQ(image.at(y, x)[3], want) << (writeMatte ? "matte" : "carried") << " at " << x << "," << y;
            }
        if (writeMatte) {
            EXPECT_EQ(image.at(2, 2)[3], 0) << "the backing is transparent";
            EXPECT_EQ(image.at(2, 22)[3], 255) << "the subject is opaque";
        }
    }
}

} // namespace
} // namespace velokrom::winetest
