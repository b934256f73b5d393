// The drag trail on a simulated screen: four-connected lines, inversion once per pixel,
// exact restoration, and a mask that is never written outside its own bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <utility>
#include <vector>

#include "scripted_window.h"
#include "ui/drag_trail.h"
#include "ui/sample_drag_gesture.h"

namespace velokrom {
namespace {

using Screen = testing::ScriptedScreen;

std::vector<std::pair<int32_t, int32_t>> lineOf(ClientPoint from, ClientPoint to) {
    std::vector<std::pair<int32_t, int32_t>> points;
    fourConnectedLine(from, to, [&](int32_t x, int32_t y) { points.emplace_back(x, y); });
    return points;
}

TEST(FourConnectedLine, StepsOnePixelAtATimeFromJustAfterTheStartToTheEnd) {
    // A point, right, left, shallow down, steep down-left, steep up, diagonally into negatives.
    const std::pair<ClientPoint, ClientPoint> lines[] = {{{5, 5}, {5, 5}}, {{0, 0}, {9, 0}},  {{9, 3}, {0, 3}},
                                                         {{2, 2}, {7, 4}}, {{7, 4}, {2, 9}},  {{3, 20}, {6, 1}},
                                                         {{0, 0}, {-6, -6}}};
    for (const auto& [from, to] : lines) {
        SCOPED_TRACE(::testing::Message() << from.x << "," << from.y << " to " << to.x << "," << to.y);
        const auto points = lineOf(from, to);
        const int32_t steps = std::abs(to.x - from.x) + std::abs(to.y - from.y);
        ASSERT_EQ(points.size(), static_cast<size_t>(steps > 0 ? steps : 1));
        EXPECT_EQ(points.back(), std::pair(to.x, to.y));
        std::pair previous(from.x, from.y);
        for (const auto& p : points) {
            EXPECT_EQ(std::abs(p.first - previous.first) + std::abs(p.second - previous.second), steps > 0 ? 1 : 0);
            previous = p;
        }
    }
}

TEST(FourConnectedLine, ADiagonalGoesVerticallyFirstAndTurnsAtTheCorner) {
    // Major axis vertical on a tie; error 1 - 2 < 0 at once: corner (0,1), then (1,1).
    EXPECT_EQ(lineOf({0, 0}, {2, 2}), (std::vector<std::pair<int32_t, int32_t>>{{0, 1}, {1, 1}, {1, 2}, {2, 2}}));
}

TEST(TrailMask, NeverWritesOutsideItsBytesWhateverThePoint) {
    constexpr int32_t w = 13, h = 5;
    const size_t bytes = DragTrailMask::bytesFor(w, h);
    std::vector<uint8_t> storage(bytes + 64, 0xA5);  // 32 guard bytes before and after
    std::fill_n(storage.begin() + 32, bytes, 0);
    DragTrailMask mask(storage.data() + 32, w, h);
    Screen screen(w, h);
    // A window larger than the screen, or partly off it: points beyond every edge.
    for (const ClientPoint p : {ClientPoint{-1, 0}, ClientPoint{0, -1}, ClientPoint{13, 0}, ClientPoint{0, 5},
                                ClientPoint{16, 4}, ClientPoint{100000, 100000}, ClientPoint{-100000, 2}})
        mask.mark(p.x, p.y, screen);
    fourConnectedLine({-20, -3}, {40, 9}, [&](int32_t x, int32_t y) { mask.mark(x, y, screen); });
    const std::vector<uint8_t> guard(32, 0xA5);
    EXPECT_EQ(std::vector(storage.begin(), storage.begin() + 32), guard);
    EXPECT_EQ(std::vector(storage.end() - 32, storage.end()), guard);
    EXPECT_GT(screen.inversions, 0);  // the part of the line on the screen was drawn
    mask.erase(screen);
    EXPECT_EQ(std::vector(storage.begin() + 32, storage.end() - 32), std::vector<uint8_t>(bytes, 0));
}

// ---- the gesture: the fixture is the engine's side of it and records each phase

using Phase = std::tuple<DragPhase, int32_t, int32_t>;

class Gesture : public ::testing::Test, public SampleDragTarget {
protected:
    Gesture() : bits(DragTrailMask::bytesFor(40, 30), 0), gesture(DragTrailMask(bits.data(), 40, 30)) {}
    void sampleDrag(DragPhase phase, int32_t column, int32_t row) override { phases.emplace_back(phase, column, row); }
    static ImagePixel on(int32_t c, int32_t r) { return {c, r, true}; }
    static constexpr ImagePixel kOff{-1, -1, false};

    Screen screen{40, 30};
    std::vector<uint8_t> bits;
    SampleDragGesture gesture;
    std::vector<Phase> phases;
};

TEST_F(Gesture, APressAndReleaseWithoutMovesGivesOneSample) {
    ASSERT_TRUE(gesture.press({4, 4}, on(2, 2), *this));
    EXPECT_TRUE(gesture.finish(on(2, 2), *this, screen));
    EXPECT_EQ(phases, (std::vector<Phase>{{DragPhase::Begin, 2, 2}, {DragPhase::End, 2, 2}}));
    EXPECT_EQ(screen.inversions, 0);
}

// Every pixel of the trail is inverted once, however often the drag passes it, and releasing
// restores the screen exactly.
TEST_F(Gesture, OnlyNewPointsOnTheImageSampleAndTheTrailJoinsThemInvertingEachPixelOnce) {
    const std::vector<uint32_t> before = screen.pixels;
    gesture.press({0, 0}, on(0, 0), *this);
    gesture.move({0, 0}, on(0, 0), *this, screen);  // sent by the system after the press
    gesture.move({5, 0}, on(5, 0), *this, screen);
    gesture.move({5, 0}, on(5, 0), *this, screen);  // reported again where it was
    gesture.move({35, 0}, kOff, *this, screen);      // off the image: skipped
    gesture.move({5, 6}, on(5, 6), *this, screen);  // joined to (5, 0), not to the point off it
    EXPECT_EQ(screen.inversions, 5 + 6);            // (1..5, 0), then (5, 1..6)
    gesture.move({5, 0}, on(5, 0), *this, screen);  // back over its own trail
    gesture.move({39, 29}, on(39, 29), *this, screen);
    EXPECT_EQ(screen.inversions, 5 + 6 + 0 + 34 + 29);
    EXPECT_NE(screen.pixels.back(), before.back()) << "the trail reaches the screen's last pixel";
    gesture.move({35, 0}, kOff, *this, screen);
    gesture.move({39, 29}, on(39, 29), *this, screen);  // away and back is a move again
    // Released outside the window: the drag ends all the same, and the screen is as it was.
    EXPECT_TRUE(gesture.finish(kOff, *this, screen));
    EXPECT_EQ(phases, (std::vector<Phase>{{DragPhase::Begin, 0, 0},
                                          {DragPhase::Continue, 5, 0},
                                          {DragPhase::Continue, 5, 6},
                                          {DragPhase::Continue, 5, 0},
                                          {DragPhase::Continue, 39, 29},
                                          {DragPhase::Continue, 39, 29},
                                          {DragPhase::End, -1, -1}}));
    EXPECT_EQ(screen.pixels, before);
    EXPECT_FALSE(gesture.dragging());
}

TEST_F(Gesture, WithoutAMaskTheDragStillReachesTheEngine) {
    SampleDragGesture bare(DragTrailMask(nullptr, 40, 30));
    bare.press({1, 1}, on(1, 1), *this);
    bare.move({9, 9}, on(9, 9), *this, screen);
    bare.finish(on(9, 9), *this, screen);
    EXPECT_EQ(phases.size(), 3u);
    EXPECT_EQ(screen.inversions, 0);
}

} // namespace
} // namespace velokrom
