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
using testing::rgbOf;
using testing::wholeOf;

struct Expected {
    RgbImage composite;
    std::vector<uint8_t> matte;
};

// The key of block applied to the rows top..bottom, left..right of image over background with
// blend mode Direct: what the filter must leave in the host's output.
Expected keyedByThisProcess(const HostImage& image, const std::vector<uint8_t>& block, const RgbImage& background,
                            Rect area) {
    const int32_t width = area.right - area.left;
    const int32_t height = area.bottom - area.top;
    RgbImage source(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) source.at(y, x)[c] = image.at(area.top + y, area.left + x)[c];
    std::vector<uint8_t> copy = block;
    restoreLiveKey(ParameterBlock(copy.data()).keyModel());
    MemoryImageAccess engine(source, background);
    engine.blendMode = kBlendDirect;
    engine.processImage(false, false);
    return {engine.output, engine.matte};
}

TEST_F(PluginUnderWine, RepeatRendersTheSavedKeyOverNeutralGray) {
    HostImage image = greenScreenShot(48, 24);
    const std::vector<uint8_t> block = parameterBlockWithKey(image, {});
    const Expected expected = keyedByThisProcess(image, block, RgbImage(48, 24, 127), wholeOf(image));
    host->restoreParameters(block);
    ASSERT_EQ(host->runFilter(image, options(), false), 0);
    EXPECT_EQ(rgbOf(image, wholeOf(image)).pixels, expected.composite.pixels);
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
    const Expected expected = keyedByThisProcess(image, block, rgbOf(backdrop, wholeOf(backdrop)), wholeOf(image));
    host->restoreParameters(block);
    ASSERT_EQ(host->runFilter(image, options(), false), 0);
    EXPECT_EQ(rgbOf(image, wholeOf(image)).pixels, expected.composite.pixels);
    EXPECT_EQ(image.at(3, 4)[0], backdrop.at(3, 4)[0]) << "the backing shows the saved background";
}

TEST_F(PluginUnderWine, ASelectionKeysOnlyItsRectangle) {
    HostImage image = greenScreenShot(40, 20);
    const HostImage original = image;
    const std::vector<uint8_t> block = parameterBlockWithKey(image, {});
    const Rect selection{4, 10, 15, 33};  // rows 4..14, columns 10..32
    const Expected expected = keyedByThisProcess(image, block, RgbImage(23, 11, 127), selection);
    HostOptions withSelection = options();
    withSelection.hasSelection = true;
    withSelection.selection = selection;
    host->restoreParameters(block);
    ASSERT_EQ(host->runFilter(image, withSelection, false), 0);
    EXPECT_EQ(rgbOf(image, selection).pixels, expected.composite.pixels);
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
        const Expected expected = keyedByThisProcess(image, block, RgbImage(24, 12, 127), wholeOf(image));
        host->restoreParameters(block);
        ASSERT_EQ(host->runFilter(image, options(), false), 0);
        EXPECT_EQ(rgbOf(image, wholeOf(image)).pixels, expected.composite.pixels);
        for (int32_t y = 0; y < image.height; ++y)
            for (int32_t x = 0; x < image.width; ++x) {
                const uint8_t want = writeMatte ? expected.matte[static_cast<size_t>(y * image.width + x)] : 200;
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
