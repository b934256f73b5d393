// The display window's arithmetic at the zoom limits, in margins and at the ends of the bars.
#include <gtest/gtest.h>

#include "ui/display_geometry.h"

namespace velokrom {
namespace {

TEST(WindowToImage, MarginsLieOffTheImageAtEveryZoom) {
    const DisplayRect source{0, 0, 0, 0};
    const DisplayRect dest{10, 20, 0, 0};  // the view starts 20 right, 10 down
    for (double zoom : {1.0 / 16, 0.5, 1.0, 2.0, 16.0}) {
        EXPECT_FALSE(windowToImage(source, dest, zoom, 19, 10, 50, 40).onImage) << zoom;
        EXPECT_FALSE(windowToImage(source, dest, zoom, 20, 9, 50, 40).onImage) << zoom;
        const ImagePixel first = windowToImage(source, dest, zoom, 20, 10, 50, 40);
        EXPECT_TRUE(first.onImage) << zoom;
        EXPECT_EQ(first.column, 0);
        EXPECT_EQ(first.row, 0);
    }
}

TEST(WindowToImage, ScrolledAndZoomed) {
    const DisplayRect source{64, 320, 0, 0};
    const DisplayRect dest{0, 0, 0, 0};
    ImagePixel p = windowToImage(source, dest, 16.0, 15, 31, 100, 100);
    EXPECT_EQ(p.column, 20);
    EXPECT_EQ(p.row, 5);
    p = windowToImage(source, dest, 1.0 / 16, 3, 0, 100000, 100000);
    EXPECT_EQ(p.column, (320 + 3) * 16);
    p = windowToImage(source, dest, 1.0, 0, 0, 320, 100);  // one past the last column
    EXPECT_FALSE(p.onImage);
}

TEST(CentreOn, ThePixelLandsMidWindowButNeverBeforeTheViewsStart) {
    DisplayRect source{};
    centreOn(source, 2.0, 100, 50, 201, 101);
    EXPECT_EQ(source.left, 200 - 100);
    EXPECT_EQ(source.top, 100 - 50);
    EXPECT_EQ(source.right, source.left + 200);
    EXPECT_EQ(source.bottom, source.top + 100);
    centreOn(source, 1.0, 0, 0, 201, 101);
    EXPECT_EQ(source.left, 0);
    EXPECT_EQ(source.top, 0);
}

TEST(ViewPlacement, ASmallViewIsCentredWithTheOddPixelOnTheLeftAndTop) {
    // Client 100 x 60, extents 101 x 61; the view is 40 x 30.
    const DisplayRect dest = viewPlacement(100, 60, 40, 30);
    EXPECT_EQ(dest.left, 30);
    EXPECT_EQ(dest.right, 69);
    EXPECT_EQ(dest.top, 15);
    EXPECT_EQ(dest.bottom, 44);
    const DisplayRect odd = viewPlacement(101, 60, 40, 30);  // 61 pixels to spare across
    EXPECT_EQ(odd.left, 31);
    EXPECT_EQ(101 - (odd.right + 1), 30);
    const DisplayRect full = viewPlacement(100, 60, 400, 300);
    EXPECT_EQ(full.left, 0);
    EXPECT_EQ(full.right, 100);
    EXPECT_EQ(full.bottom, 60);
}

TEST(ScrollBars, OnlyForAViewLargerThanTheWindowAndPositionedInImagePixels) {
    DisplayRect source{0, 0, 0, 0};
    ScrollLayout layout = layoutScrollBars(source, 1.0, 101, 81, 60, 40, 60, 40);
    EXPECT_FALSE(layout.horizontal.needed);
    EXPECT_FALSE(layout.vertical.needed);
    EXPECT_EQ(source.left, 0);

    // 600 x 400 image at zoom 2 in a 201 x 101 window, scrolled to zoomed (250, 790).
    source = {790, 250, 0, 0};
    layout = layoutScrollBars(source, 2.0, 201, 101, 1024, 768, 600, 400);
    ASSERT_TRUE(layout.horizontal.needed);
    ASSERT_TRUE(layout.vertical.needed);
    EXPECT_EQ(layout.horizontal.maximum, 600 - 100);
    EXPECT_EQ(layout.horizontal.position, 125);
    EXPECT_EQ(layout.vertical.maximum, 400 - 50);
    EXPECT_EQ(layout.vertical.position, 350);  // 395 lowered to the range's end
    EXPECT_EQ(source.left, 250);
    EXPECT_EQ(source.right, 450);
    EXPECT_EQ(source.bottom, 799);  // the last zoomed row at the window's bottom edge
    EXPECT_EQ(source.top, 799 - 100);
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
    EXPECT_EQ(scrollTarget(ScrollRequest::LineForward, 5, 0, steps, 300), 21);
    EXPECT_EQ(scrollTarget(ScrollRequest::PageForward, 150, 0, steps, 300), 300);
    EXPECT_EQ(scrollTarget(ScrollRequest::PageBack, 150, 0, steps, 300), 0);
    EXPECT_EQ(scrollTarget(ScrollRequest::Thumb, 150, 420, steps, 300), 300);
    EXPECT_EQ(scrollTarget(ScrollRequest::EndScroll, 150, 0, steps, 300), 150);
    EXPECT_EQ(scrollTarget(ScrollRequest::Bottom, 150, 0, steps, 300), 300);
    EXPECT_EQ(scrollTarget(ScrollRequest::Top, 150, 0, steps, 300), 0);
    EXPECT_EQ(scrollTarget(ScrollRequest::LineForward, 0, 0, steps, -5), 0);  // no room at all
}

TEST(ScrollSteps, TheBarsEndShowsTheLastZoomedPixelAtTheEdge) {
    int32_t low = 0, high = 0;
    // 1000 image columns at zoom 1/16: 62 zoomed; window extent 41; bar maximum 1000 - 656.
    scrollAxisTo(low, high, 344, 344, 1.0 / 16, 41, 62);
    EXPECT_EQ(high, 61);
    EXPECT_EQ(low, 21);
    scrollAxisTo(low, high, 100, 344, 1.0 / 16, 41, 62);
    EXPECT_EQ(low, 6);
    EXPECT_EQ(high, 46);
    // Magnified, the end of the bar also lands on the last zoomed column.
    scrollAxisTo(low, high, 90, 90, 2.0, 21, 220);
    EXPECT_EQ(high, 219);
}

TEST(Zoom, CursorShowsTheDirectionOrTheLimit) {
    EXPECT_EQ(zoomCursor(false, 1.0), CursorShape::ZoomIn);
    EXPECT_EQ(zoomCursor(true, 1.0), CursorShape::ZoomOut);
    EXPECT_EQ(zoomCursor(false, 16.0), CursorShape::ZoomLimit);
    EXPECT_EQ(zoomCursor(true, 16.0), CursorShape::ZoomOut);
    EXPECT_EQ(zoomCursor(true, 1.0 / 16), CursorShape::ZoomLimit);
    EXPECT_EQ(zoomCursor(false, 1.0 / 16), CursorShape::ZoomIn);
}

} // namespace
} // namespace velokrom
