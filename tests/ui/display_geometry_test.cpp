// The display window's arithmetic at the zoom limits, in margins and at the ends of the bars.
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>

#include "ui/display_geometry.h"

namespace velokrom {
namespace {

// Whole values at once: a rectangle's edges in its field order (top, left, bottom, right), a
// pixel, a bar.
std::array<int32_t, 4> edges(const DisplayRect& r) { return {r.top, r.left, r.bottom, r.right}; }
std::tuple<int32_t, int32_t, bool> pixel(const ImagePixel& p) { return {p.column, p.row, p.onImage}; }
std::tuple<bool, int32_t, int32_t> bar(const ScrollBarLayout& b) { return {b.needed, b.maximum, b.position}; }

TEST(WindowToImage, MarginsLieOffTheImageAtEveryZoom) {
    const DisplayRect source{0, 0, 0, 0};
    const DisplayRect dest{10, 20, 0, 0};  // the view starts 20 right, 10 down
    for (double zoom : {1.0 / 16, 0.5, 1.0, 2.0, 16.0}) {
        EXPECT_FALSE(windowToImage(source, dest, zoom, 19, 10, 50, 40).onImage) << zoom;
        EXPECT_FALSE(windowToImage(source, dest, zoom, 20, 9, 50, 40).onImage) << zoom;
        EXPECT_EQ(pixel(windowToImage(source, dest, zoom, 20, 10, 50, 40)), std::tuple(0, 0, true)) << zoom;
    }
}

TEST(WindowToImage, ScrolledAndZoomed) {
    const DisplayRect source{64, 320, 0, 0};
    const DisplayRect dest{0, 0, 0, 0};
    EXPECT_EQ(pixel(windowToImage(source, dest, 16.0, 15, 31, 100, 100)), std::tuple(20, 5, true));
    EXPECT_EQ(windowToImage(source, dest, 1.0 / 16, 3, 0, 100000, 100000).column, (320 + 3) * 16);
    EXPECT_FALSE(windowToImage(source, dest, 1.0, 0, 0, 320, 100).onImage);  // one past the last column
}

// That it never goes before the view's start is checked through the view, which centres on
// (0, 0) before it scrolls (LargeDisplayViewTest.ScrollingReachesTheLastZoomedColumn...).
TEST(CentreOn, ThePixelLandsMidWindow) {
    DisplayRect source{};
    centreOn(source, 2.0, 100, 50, 201, 101);
    EXPECT_EQ(edges(source), (std::array{100 - 50, 200 - 100, 100 - 50 + 100, 200 - 100 + 200}));
}

TEST(ViewPlacement, ASmallViewIsCentredWithTheOddPixelOnTheLeftAndTop) {
    // Client 100 x 60, extents 101 x 61; the view is 40 x 30.
    const DisplayRect dest = viewPlacement(100, 60, 40, 30);
    EXPECT_EQ(edges(dest), (std::array{15, 30, 44, 69}));
    const DisplayRect odd = viewPlacement(101, 60, 40, 30);  // 61 pixels to spare across
    EXPECT_EQ(std::pair(odd.left, 101 - (odd.right + 1)), std::pair(31, 30));
    const DisplayRect full = viewPlacement(100, 60, 400, 300);
    EXPECT_EQ(std::tuple(full.left, full.right, full.bottom), std::tuple(0, 100, 60));
}

// Whether the bars show at all is checked through the view (DisplayViewTest.ZoomClicks...).
TEST(ScrollBars, PositionedInImagePixelsAndNeverPastTheRangesEnd) {
    // 600 x 400 image at zoom 2 in a 201 x 101 window, scrolled to zoomed (250, 790).
    DisplayRect source{790, 250, 0, 0};
    const ScrollLayout layout = layoutScrollBars(source, 2.0, 201, 101, 1024, 768, 600, 400);
    EXPECT_EQ(bar(layout.horizontal), std::tuple(true, 600 - 100, 125));
    EXPECT_EQ(bar(layout.vertical), std::tuple(true, 400 - 50, 350));  // 395 lowered to the range's end
    // The last zoomed row at the window's bottom edge.
    EXPECT_EQ(edges(source), (std::array{799 - 100, 250, 799, 450}));
}

TEST(ScrollSteps, SixteenWindowPixelsPerLine) {
    EXPECT_EQ(scrollSteps(16.0, 500).line, 1);
    EXPECT_EQ(scrollSteps(1.0, 500).line, 16);
    EXPECT_EQ(scrollSteps(1.0 / 16, 500).line, 256);
    EXPECT_EQ(scrollSteps(1.0, 500).page, 500 - 16);
    EXPECT_EQ(scrollSteps(16.0, 100).page, 6 - 1);
    EXPECT_EQ(scrollSteps(1.0, 10).page, 1);  // narrower than a line still pages forward
}

TEST(ScrollSteps, TargetsStayWithinTheRange) {
    const ScrollSteps steps{16, 200};
    EXPECT_EQ(scrollTarget(ScrollRequest::LineBack, 5, 0, steps, 300), 0);
    EXPECT_EQ(scrollTarget(ScrollRequest::PageForward, 150, 0, steps, 300), 300);
    EXPECT_EQ(scrollTarget(ScrollRequest::PageBack, 150, 0, steps, 300), 0);
    EXPECT_EQ(scrollTarget(ScrollRequest::Thumb, 150, 420, steps, 300), 300);
    EXPECT_EQ(scrollTarget(ScrollRequest::EndScroll, 150, 0, steps, 300), 150);
    EXPECT_EQ(scrollTarget(ScrollRequest::Top, 150, 0, steps, 300), 0);
    EXPECT_EQ(scrollTarget(ScrollRequest::LineForward, 0, 0, steps, -5), 0);  // no room at all
}

TEST(ScrollSteps, TheBarsEndShowsTheLastZoomedPixelAtTheEdge) {
    int32_t low = 0, high = 0;
    // 1000 image columns at zoom 1/16: 62 zoomed; window extent 41; bar maximum 1000 - 656.
    scrollAxisTo(low, high, 344, 344, 1.0 / 16, 41, 62);
    EXPECT_EQ(std::pair(low, high), std::pair(21, 61));
    scrollAxisTo(low, high, 100, 344, 1.0 / 16, 41, 62);
    EXPECT_EQ(std::pair(low, high), std::pair(6, 46));
}

TEST(Zoom, CursorShowsTheDirectionOrTheLimit) {
    EXPECT_EQ(zoomCursor(false, 1.0), CursorShape::ZoomIn);
    EXPECT_EQ(zoomCursor(true, 1.0), CursorShape::ZoomOut);
    EXPECT_EQ(zoomCursor(false, 16.0), CursorShape::ZoomLimit);
    EXPECT_EQ(zoomCursor(true, 1.0 / 16), CursorShape::ZoomLimit);
    EXPECT_EQ(zoomCursor(false, 1.0 / 16), CursorShape::ZoomIn);
}

} // namespace
} // namespace velokrom
