// A repeat of the last filter: the saved key rendered by the library into the host's image over
// the saved background, with the matte in the alpha plane, compared with the same key applied by
// the engine in this process. (Selections, and an alpha plane carried through, are the host
// tests' own; they run under Wine as well.)
#include <gtest/gtest.h>
#include <windows.h>

#include "plugin_under_wine.h"

namespace velokrom::winetest {
namespace {

using vkhost::HostImage;

TEST_F(PluginUnderWine, RepeatRendersTheSavedKeyOverTheSavedBackgroundWithTheMatteInTheAlphaPlane) {
    const HostImage backdrop = backgroundPicture(48, 24);
    storeBackground(backdrop);
    HostImage image = greenScreen(48, 24, 4);
    const KeyModelRecord key = backingKey(image);
    std::vector<uint8_t> matte;
    const RgbImage expected = expectedComposite(rgbOf(image), rgbOf(backdrop), key, kBlendDirect, false, &matte);
    SavedSettings settings;
    settings.backgroundSource = kBackgroundSaved;
    settings.writeMatteToAlpha = true;
    host->restoreParameters(savedParameterBlock(key, settings));
    ASSERT_EQ(host->runFilter(image, options(), false), 0);
    EXPECT_EQ(rgbOf(image).pixels, expected.pixels);
    const uint8_t* backing = image.at(0, 3);
    EXPECT_EQ(std::vector<uint8_t>(backing, backing + 3), std::vector<uint8_t>(backdrop.at(0, 3), backdrop.at(0, 4)))
        << "the backing shows the saved background";
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x)
            ASSERT_EQ(image.at(y, x)[3], matte[static_cast<size_t>(y * image.width + x)]) << "at " << x << "," << y;
    EXPECT_EQ(image.at(0, 0)[3], 0) << "the backing is transparent";
    EXPECT_EQ(image.at(14, 24)[3], 255) << "the subject is opaque";
}

} // namespace
} // namespace velokrom::winetest
