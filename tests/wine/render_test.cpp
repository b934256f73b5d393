// Repeats of the last filter: the saved key rendered by the library into the host's image,
// compared with the same key applied by the engine in this process, over the neutral grey with
// the matte in the alpha plane, and over the saved background. (Selections, and the alpha plane
// carried through, are the host tests' own; they run under Wine as well.)
#include <gtest/gtest.h>
#include <windows.h>

#include "plugin_under_wine.h"

namespace velokrom::winetest {
namespace {

using vkhost::HostImage;

TEST_F(PluginUnderWine, RepeatRendersTheSavedKeyOverNeutralGrayWithTheMatteInTheAlphaPlane) {
    HostImage image = greenScreen(48, 24, 4);
    const KeyModelRecord key = backingKey(image);
    std::vector<uint8_t> matte;
    const RgbImage expected = expectedComposite(rgbOf(image), RgbImage(), key, kBlendDirect, true, &matte);
    SavedSettings settings;
    settings.writeMatteToAlpha = true;
    host->restoreParameters(savedParameterBlock(key, settings));
    ASSERT_EQ(host->runFilter(image, options(), false), 0);
    EXPECT_EQ(rgbOf(image).pixels, expected.pixels);
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x)
            ASSERT_EQ(image.at(y, x)[3], matte[static_cast<size_t>(y * image.width + x)]) << "at " << x << "," << y;
    EXPECT_EQ(image.at(0, 0)[3], 0) << "the backing is transparent";
    EXPECT_EQ(image.at(14, 24)[3], 255) << "the subject is opaque";
}

TEST_F(PluginUnderWine, RepeatOverTheSavedBackgroundShowsItThroughTheBacking) {
    const HostImage backdrop = backgroundPicture(32, 16);
    storeBackground(backdrop);
    HostImage image = greenScreen(32, 16);
    const KeyModelRecord key = backingKey(image);
    const RgbImage expected = expectedComposite(rgbOf(image), rgbOf(backdrop), key, kBlendDirect, false);
    SavedSettings settings;
    settings.backgroundSource = kBackgroundSaved;
    host->restoreParameters(savedParameterBlock(key, settings));
    ASSERT_EQ(host->runFilter(image, options(), false), 0);
    EXPECT_EQ(rgbOf(image).pixels, expected.pixels);
    EXPECT_EQ(std::vector<uint8_t>(image.at(0, 3), image.at(0, 4)), std::vector<uint8_t>(backdrop.at(0, 3), backdrop.at(0, 4)))
        << "the backing shows the saved background";
}

} // namespace
} // namespace velokrom::winetest
