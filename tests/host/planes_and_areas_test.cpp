// Alpha planes, layers with transparency, and selections: what reaches the host's output.
#include <cstring>

#include "named_cases.h"
#include "plugin_fixture.h"

namespace velokrom::testing {
namespace {

class PlanesAndAreas : public PluginTest {};

// A repeat over neutral grey in Direct mode with the backing key, the block asking for the matte
// in the alpha plane or not: every plane is requested, absolute; the fourth plane (an alpha
// channel, or a layer's transparency) gets the matte only when asked and there is one, and
// later planes are never touched.
struct PlaneCase {
    const char* name;
    int32_t planes;
    bool layered;
    bool matteAsked;
};

const PlaneCase kPlaneCases[] = {
    {"AlphaChannelCarriedThrough", 5, false, false},
    {"MatteIntoTheAlphaChannel", 5, false, true},
    {"ThreePlanesNeverTakeTheAlphaChoiceFromTheBlock", 3, false, true},
    {"LayerKeepsItsTransparency", 5, true, false},
};

class PlaneCases : public PluginTest, public ::testing::WithParamInterface<PlaneCase> {};

TEST_P(PlaneCases, RepeatWritesTheCompositeAndTheFourthPlaneOnlyWhereAsked) {
    const PlaneCase& c = GetParam();
    const HostImage source = greenScreen(18, 12, c.planes);
    const KeyModelRecord key = backingKey(source);
    giveSavedState(key, kBackgroundNeutralGray, kBlendDirect, c.matteAsked);
    options.layered = c.layered;
    HostImage image = source;
    ASSERT_EQ(host.runFilter(image, options, false), noErr);
    std::vector<uint8_t> matte;
    EXPECT_EQ(rgbOf(image).pixels, expectedComposite(rgbOf(source), RgbImage(), key, kBlendDirect, true, &matte).pixels);
    const FilterRecord& r = host.record();
    EXPECT_EQ(r.wantsAbsolute, 1);
    EXPECT_EQ(r.inHiPlane, c.planes - 1);
    EXPECT_EQ(r.outHiPlane, c.planes - 1);
    const bool matteWritten = c.matteAsked && c.planes > 3;
    EXPECT_EQ(parameters().writeMatteToAlpha(), matteWritten);
    EXPECT_NE(std::count(matte.begin(), matte.end(), 0), 0);  // the matte is not a copy of the plane
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x)
            for (int32_t plane = 3; plane < c.planes; ++plane) {
                const uint8_t want = plane == 3 && matteWritten ? matte[static_cast<size_t>(y * image.width + x)]
                                                                : source.at(y, x)[plane];
                ASSERT_EQ(image.at(y, x)[plane], want) << "plane " << plane << " at " << x << "," << y;
            }
}

INSTANTIATE_TEST_SUITE_P(PlanesAndAreas, PlaneCases, ::testing::ValuesIn(kPlaneCases), CaseName());

TEST_F(PlanesAndAreas, SelectionFiltersItsRectangleAndLeavesTheRestAlone) {
    const HostImage source = greenScreen(24, 16);
    const HostImage picture = backgroundPicture(24, 16);
    storeBackground(picture);
    const Rect area{3, 5, 13, 19};
    options.hasSelection = true;
    options.selection = area;
    const KeyModelRecord selectionKey = backingKey(source);
    giveSavedState(selectionKey, kBackgroundSaved, kBlendDirect, false);
    HostImage image = source;
    ASSERT_EQ(host.runFilter(image, options, false), noErr);
    // Inside: the composite over the part of the background under the selection.
    EXPECT_EQ(rgbOf(image, area).pixels,
              expectedComposite(rgbOf(source, area), rgbOf(picture, area), selectionKey, kBlendDirect, false).pixels);
    // Outside: the source. With the source put back inside, the whole image is the source.
    for (int32_t y = area.top; y < area.bottom; ++y)
        std::memcpy(image.at(y, area.left), source.at(y, area.left), static_cast<size_t>(area.right - area.left) * 3);
    EXPECT_EQ(image.pixels, source.pixels);
}

// The interactive run of a layer whose left half is transparent, showing the composite at a
// zoom through the host's displayPixels, the image's top left at (40, 30) on the screen.
TEST_F(PlanesAndAreas, DisplayOfALayerIsMaskedByItsTransparencyAtEveryZoom) {
    HostImage source = greenScreen(20, 14, 4);
    for (int32_t y = 0; y < source.height; ++y)
        for (int32_t x = 0; x < source.width; ++x) source.at(y, x)[3] = x < source.width / 2 ? 0 : 255;
    options.layered = true;
    for (int32_t zoom : {1, 2}) {
        HostImage image = source;
        EXPECT_EQ(interact(image,
                           [&](FilterPlugin& plugin) {
                               ASSERT_EQ(applyZoomStep(plugin, plugin.display, zoom, 0, 0), noErr);
                               renderDisplayBuffer(plugin, plugin.display, kViewComposite);
                               const DisplayRect all{0, 0, plugin.display.rows - 1, plugin.display.columns - 1};
                               const DisplayRect dest{30, 40, 30 + all.bottom, 40 + all.right};
                               EXPECT_EQ(plugin.displayRegion(all, dest, nullptr), noErr);
                           }),
                  1);
        ASSERT_EQ(host.displayCalls(), 1);
        // The first composite is over a cleared key: the source itself.
        const int32_t checker = ((40 / 8 + 30 / 8) % 2) ? 204 : 255;
        EXPECT_EQ(screenPixel(40, 30), std::vector<uint8_t>(3, static_cast<uint8_t>(checker)));
        for (int32_t x : {10, 15, 18})
            EXPECT_EQ(screenPixel(40 + x * zoom, 30 + 5 * zoom), std::vector<uint8_t>(source.at(5, x), source.at(5, x) + 3))
                << "zoom " << zoom << " column " << x;
        host.clearCalls();
    }
}

} // namespace
} // namespace velokrom::testing
