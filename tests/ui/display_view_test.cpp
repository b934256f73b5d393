// The display window's behaviour over the scripted window: placement and bars, zoom clicks
// to both limits, refused and failed zoom steps, scrolling to the ends, drags that end by
// release, outside release or lost capture, and the right button.
#include <gtest/gtest.h>

#include <algorithm>

#include "allocation_count.h"
#include "composite/memory_image_access.h"
#include "scripted_window.h"
#include "ui/display_view.h"

namespace velokrom::testing {
namespace {

// The engine's side of the display as the plug-in has it: the buffer is the zoomed view, at
// most the screen, in whole zoom steps.
class FakeOwner : public DisplayOwner {
public:
    explicit FakeOwner(KeyerEngine& engine) : engine_(engine) {}
    int32_t bufferColumns() override { return zoomed(engine_.imageWidth, 1024); }
    int32_t bufferRows() override { return zoomed(engine_.imageHeight, 768); }
    int16_t zoomStep(double factor, int32_t, int32_t) override {
        if (code == 0) engine_.zoomFactor = factor;
        return code;
    }
    void renderView() override { ++renders; }
    int16_t paintRegion(const DisplayRect&, const DisplayRect&, void*) override { return 0; }
    void dragEnded() override { ++dragsEnded; }
    void zoomFailed() override { ++zoomFailures; }
    void leaveZoomMode() override { engine_.zoomMode = 0; }

    int16_t code = 0;
    int renders = 0, dragsEnded = 0, zoomFailures = 0;

private:
    int32_t zoomed(int32_t size, int32_t screen) const {
        return std::min(static_cast<int32_t>(size * engine_.zoomFactor), screen);
    }
    KeyerEngine& engine_;
};

class DisplayViewTest : public ::testing::Test {
protected:
    explicit DisplayViewTest(int32_t imageWidth = 60, int32_t imageHeight = 40)
        : engine(RgbImage(imageWidth, imageHeight, 90), RgbImage(imageWidth, imageHeight, 127)),
          window(200, 100),
          trail(DragTrailMask::bytesFor(200, 100), 0),
          owner(engine),
          view(engine, owner, window, DragTrailMask(trail.data(), 200, 100)) {
        view.centreOn(0, 0);
        view.resized(false);
    }

    MemoryImageAccess engine;
    ScriptedWindow window;
    std::vector<uint8_t> trail;
    FakeOwner owner;
    DisplayView view;
};

TEST_F(DisplayViewTest, ZoomClicksStopAtBothLimitsAndShowTheLimitCursor) {
    engine.zoomMode = 1;
    const int32_t x = 100, y = 50;
    for (double expected : {2.0, 4.0, 8.0, 16.0}) {
        view.leftButtonDown(x, y);
        EXPECT_EQ(engine.zoomFactor, expected);
    }
    EXPECT_EQ(window.cursor, CursorShape::ZoomLimit);
    const int rendersAtLimit = owner.renders;
    view.leftButtonDown(x, y);  // at 16 a zoom-in click changes nothing
    EXPECT_EQ(engine.zoomFactor, 16.0);
    EXPECT_EQ(owner.renders, rendersAtLimit);
    EXPECT_TRUE(window.horizontal.shown);

    window.alt = true;
    view.mouseMoved(x, y);
    EXPECT_EQ(window.cursor, CursorShape::ZoomOut);
    for (int i = 0; i < 8; ++i) view.leftButtonDown(view.destRect().left + 1, view.destRect().top + 1);
    EXPECT_EQ(engine.zoomFactor, 1.0 / 16);
    EXPECT_EQ(window.cursor, CursorShape::ZoomLimit);
    EXPECT_FALSE(window.horizontal.shown);
    EXPECT_FALSE(window.captured);
    EXPECT_EQ(engine.samples.sampleCount, 0);  // zoom clicks never sample

    window.alt.reset();  // the keyboard state cannot be read: no zoom, arrow
    view.leftButtonDown(view.destRect().left, view.destRect().top);
    view.mouseMoved(view.destRect().left, view.destRect().top);
    EXPECT_EQ(engine.zoomFactor, 1.0 / 16);
    EXPECT_EQ(window.cursor, CursorShape::Arrow);
}

TEST_F(DisplayViewTest, ARefusedStepKeepsTheZoomButRecentresAndAFailedOneEndsTheRun) {
    owner.code = kZoomRefused;
    const int renders = owner.renders;
    EXPECT_TRUE(view.zoomAt(ZoomStep::In, 30, 20));
    EXPECT_EQ(engine.zoomFactor, 1.0);
    EXPECT_EQ(owner.renders, renders + 1);
    owner.code = -108;
    engine.zoomMode = 1;
    view.leftButtonDown(100, 50);
    EXPECT_EQ(owner.zoomFailures, 1);
}

class LargeDisplayViewTest : public DisplayViewTest {
protected:
    LargeDisplayViewTest() : DisplayViewTest(600, 400) {}
};

TEST_F(LargeDisplayViewTest, ScrollingReachesTheLastZoomedColumnAndRowAndStaysThere) {
    ASSERT_TRUE(view.zoomAt(ZoomStep::In, 0, 0));
    ASSERT_TRUE(window.horizontal.shown);
    EXPECT_EQ(window.horizontal.maximum, 600 - 100);
    const int erasing = window.erasingInvalidations;
    view.scroll(ScrollAxis::Horizontal, ScrollRequest::LineForward, 0);
    EXPECT_EQ(window.horizontal.position, 8);  // 16 window pixels at zoom 2
    EXPECT_EQ(view.sourceRect().left, 16);
    EXPECT_EQ(window.erasingInvalidations, erasing);  // scrolling redraws without erasing
    view.scroll(ScrollAxis::Horizontal, ScrollRequest::Bottom, 0);
    EXPECT_EQ(view.sourceRect().right, 1199);
    const int invalidations = window.invalidations;
    view.scroll(ScrollAxis::Horizontal, ScrollRequest::LineForward, 0);  // already at the end
    EXPECT_EQ(window.invalidations, invalidations);
    view.scroll(ScrollAxis::Vertical, ScrollRequest::Thumb, 100000);
    EXPECT_EQ(view.sourceRect().bottom, 799);
    EXPECT_EQ(view.pixelAt(199, 100).column, 599);
}

TEST_F(DisplayViewTest, ADragEndsOnceByReleaseOrLostCaptureAndLeavesTheScreenAsItWas) {
    const std::vector<uint32_t> image = window.screen.pixels;
    view.leftButtonDown(0, 0);  // in the margin: no drag
    EXPECT_FALSE(window.captured);
    const int32_t left = view.destRect().left, top = view.destRect().top;
    view.leftButtonDown(left + 2, top + 2);
    EXPECT_TRUE(window.captured);
    view.mouseMoved(left + 10, top + 2);
    view.mouseMoved(left + 100, top + 2);  // off the image: skipped
    view.mouseMoved(left + 10, top + 20);
    EXPECT_EQ(engine.samples.sampleCount, 3);
    // A repaint draws the image over the trail; the view draws the trail again, so that the
    // release restores the image and not the trail.
    const std::vector<uint32_t> trailed = window.screen.pixels;
    EXPECT_NE(trailed, image);
    window.screen.pixels = image;
    view.paint(nullptr);
    EXPECT_EQ(window.screen.pixels, trailed);
    view.leftButtonUp(left + 300, top + 2);  // released outside the window
    EXPECT_FALSE(window.captured);
    EXPECT_EQ(owner.dragsEnded, 1);
    EXPECT_EQ(window.screen.pixels, image);
    view.mouseMoved(left + 20, top + 20);  // moves after the drag sample nothing
    EXPECT_EQ(engine.samples.sampleCount, 3);

    view.leftButtonDown(left, top);
    view.mouseMoved(left + 30, top + 30);
    view.captureLost();
    EXPECT_EQ(owner.dragsEnded, 2);
    EXPECT_FALSE(view.dragging());
    EXPECT_EQ(window.screen.pixels, image);
    view.leftButtonUp(left + 30, top + 30);  // the release that follows ends nothing
    EXPECT_EQ(owner.dragsEnded, 2);
}

// A person's mouse sends hundreds of moves a second: none of them may reach the heap, over the
// image or off it, hovering in zoom mode or dragging.
TEST_F(DisplayViewTest, MouseMovesAllocateNothing) {
    const int32_t left = view.destRect().left, top = view.destRect().top;
    engine.zoomMode = 1;
    const size_t before = allocationCount();
    for (int32_t x = -5; x < 70; ++x) view.mouseMoved(left + x, top + 3);
    engine.zoomMode = 0;
    view.leftButtonDown(left + 2, top + 2);
    for (int32_t x = 3; x < 70; ++x) view.mouseMoved(left + x, top + 2 + x % 9);
    EXPECT_EQ(allocationCount(), before);
    EXPECT_GT(window.screen.inversions, 0);
    view.leftButtonUp(left + 10, top + 10);
}

TEST_F(DisplayViewTest, RightButtonLeavesZoomModeOrWithAllThreeKeysShowsTheBuildLine) {
    engine.zoomMode = 1;
    view.rightButtonDown(true, true, true);
    ASSERT_EQ(window.told.size(), 1u);
    EXPECT_NE(window.told[0].find("Velokrom"), std::string::npos);
    EXPECT_EQ(engine.zoomMode, 1);
    view.rightButtonDown(false, true, false);
    EXPECT_EQ(engine.zoomMode, 0);
}

} // namespace
} // namespace velokrom::testing
