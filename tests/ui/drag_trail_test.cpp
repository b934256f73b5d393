// The drag trail on a simulated screen: four-connected lines, inversion once per pixel,
// exact restoration, and a mask that is never written outside its own bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "ui/drag_trail.h"
#include "named_cases.h"
#include "scripted_window.h"
#include "ui/sample_drag_gesture.h"

namespace velokrom {
namespace {

using Screen = testing::ScriptedScreen;

std::vector<ClientPoint> lineOf(ClientPoint from, ClientPoint to) {
    std::vector<ClientPoint> points;
    fourConnectedLine(from, to, [&](int32_t x, int32_t y) { points.push_back({x, y}); });
    return points;
}

struct LineCase {
    const char* name;
    ClientPoint from, to;
};
class FourConnectedLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(FourConnectedLine, StepsOnePixelAtATimeFromJustAfterTheStartToTheEnd) {
    const ClientPoint from = GetParam().from;
    const ClientPoint to = GetParam().to;
    const std::vector<ClientPoint> points = lineOf(from, to);
    ASSERT_FALSE(points.empty());
    EXPECT_TRUE(points.back().x == to.x && points.back().y == to.y);
    const bool single = from.x == to.x && from.y == to.y;
    EXPECT_EQ(points.size(), single ? 1u : static_cast<size_t>(std::abs(to.x - from.x) + std::abs(to.y - from.y)));
    ClientPoint previous = from;
    for (const ClientPoint& p : points) {
        EXPECT_TRUE(single || std::abs(p.x - previous.x) + std::abs(p.y - previous.y) == 1) << p.x << "," << p.y;
        previous = p;
    }
}

INSTANTIATE_TEST_SUITE_P(Directions, FourConnectedLine,
                         ::testing::Values(LineCase{"OnePoint", {5, 5}, {5, 5}}, LineCase{"Right", {0, 0}, {9, 0}},
                                           LineCase{"Left", {9, 3}, {0, 3}}, LineCase{"ShallowDown", {2, 2}, {7, 4}},
                                           LineCase{"SteepDownLeft", {7, 4}, {2, 9}},
                                           LineCase{"SteepUp", {3, 20}, {6, 1}},
                                           LineCase{"DiagonalIntoNegatives", {0, 0}, {-6, -6}}), testing::CaseName());

TEST(FourConnectedLineShape, ADiagonalGoesVerticallyFirstAndTurnsAtTheCorner) {
    // Major axis vertical on a tie; error 1 - 2 < 0 at once: corner (0,1), then (1,1).
    std::vector<std::pair<int32_t, int32_t>> points;
    for (const ClientPoint& p : lineOf({0, 0}, {2, 2})) points.emplace_back(p.x, p.y);
    EXPECT_EQ(points, (std::vector<std::pair<int32_t, int32_t>>{{0, 1}, {1, 1}, {1, 2}, {2, 2}}));
}

TEST(TrailMask, NeverWritesOutsideItsBytesWhateverThePoint) {
    constexpr int32_t w = 13, h = 5;
    const size_t bytes = DragTrailMask::bytesFor(w, h);
    ASSERT_EQ(bytes, static_cast<size_t>((13 / 8 + 1) * 5));
    std::vector<uint8_t> storage(bytes + 64, 0xA5);  // guard bytes before and after
    for (size_t i = 32; i < 32 + bytes; ++i) storage[i] = 0;
    DragTrailMask mask(storage.data() + 32, w, h);
    Screen screen(w, h);
    // A window larger than the screen, or partly off it: points beyond every edge.
    for (const ClientPoint p : {ClientPoint{-1, 0}, ClientPoint{0, -1}, ClientPoint{13, 0}, ClientPoint{0, 5},
                                ClientPoint{16, 4}, ClientPoint{100000, 100000}, ClientPoint{-100000, 2}})
        mask.mark(p.x, p.y, screen);
    fourConnectedLine({-20, -3}, {40, 9}, [&](int32_t x, int32_t y) { mask.mark(x, y, screen); });
    for (size_t i = 0; i < 32; ++i) {
        EXPECT_EQ(storage[i], 0xA5) << i;
        EXPECT_EQ(storage[32 + bytes + i], 0xA5) << i;
    }
    EXPECT_GT(screen.inversions, 0);  // the part of the line on the screen was drawn
    mask.erase(screen);
    for (size_t i = 32; i < 32 + bytes; ++i) EXPECT_EQ(storage[i], 0) << i;
}

TEST(TrailMask, ACrossingPathInvertsEachPixelOnceAndErasingRestoresTheScreen) {
    Screen screen(40, 30);
    const std::vector<uint32_t> before = screen.pixels;
    std::vector<uint8_t> bits(DragTrailMask::bytesFor(40, 30), 0);
    DragTrailMask mask(bits.data(), 40, 30);
    const ClientPoint path[] = {{2, 2}, {30, 20}, {30, 2}, {2, 20}, {2, 2}, {39, 29}};
    for (size_t i = 1; i < std::size(path); ++i)
        fourConnectedLine(path[i - 1], path[i], [&](int32_t x, int32_t y) { mask.mark(x, y, screen); });
    int changed = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        const uint32_t diff = before[i] ^ screen.pixels[i];
        EXPECT_TRUE(diff == 0 || diff == 0x7F7F7F) << i;
        changed += diff != 0;
    }
    EXPECT_EQ(changed, screen.inversions);  // no pixel inverted twice
    EXPECT_TRUE(mask.isMarked(39, 29));
    mask.erase(screen);
    EXPECT_EQ(screen.pixels, before);
    EXPECT_FALSE(mask.isMarked(39, 29));
}

// ---- the gesture

struct RecordedPhase {
    DragPhase phase;
    int32_t column, row;
};
class RecordingTarget : public SampleDragTarget {
public:
    void sampleDrag(DragPhase phase, int32_t column, int32_t row) override { phases.push_back({phase, column, row}); }
    std::vector<RecordedPhase> phases;
};

class Gesture : public ::testing::Test {
protected:
    Gesture() : bits(DragTrailMask::bytesFor(40, 30), 0), gesture(DragTrailMask(bits.data(), 40, 30)) {}
    static ImagePixel on(int32_t c, int32_t r) { return {c, r, true}; }
    static ImagePixel off() { return {-1, -1, false}; }

    Screen screen{40, 30};
    std::vector<uint8_t> bits;
    SampleDragGesture gesture;
    RecordingTarget target;
};

TEST_F(Gesture, APressAndReleaseWithoutMovesGivesOneSample) {
    ASSERT_TRUE(gesture.press({4, 4}, on(2, 2), target));
    EXPECT_TRUE(gesture.finish(on(2, 2), target, screen));
    ASSERT_EQ(target.phases.size(), 2u);
    EXPECT_EQ(target.phases[0].phase, DragPhase::Begin);
    EXPECT_EQ(target.phases[1].phase, DragPhase::End);
    EXPECT_EQ(screen.inversions, 0);
}

TEST_F(Gesture, AMoveThatDoesNotMoveAddsNoSample) {
    gesture.press({4, 4}, on(2, 2), target);
    gesture.move({4, 4}, on(2, 2), target, screen);  // sent by the system after the press
    gesture.move({6, 4}, on(3, 2), target, screen);
    gesture.move({6, 4}, on(3, 2), target, screen);
    gesture.move({30, 4}, off(), target, screen);    // away and back is a move again
    gesture.move({6, 4}, on(3, 2), target, screen);
    gesture.finish(on(3, 2), target, screen);
    const std::vector<int32_t> columns = {2, 3, 3, 3};
    ASSERT_EQ(target.phases.size(), columns.size());
    for (size_t i = 0; i < columns.size(); ++i) EXPECT_EQ(target.phases[i].column, columns[i]) << i;
    EXPECT_EQ(target.phases[1].phase, DragPhase::Continue);
    EXPECT_EQ(target.phases[2].phase, DragPhase::Continue);
}

TEST_F(Gesture, MovesOffTheImageAreSkippedAndTheNextSegmentJoinsTheLastPointOnIt) {
    const std::vector<uint32_t> before = screen.pixels;
    gesture.press({0, 0}, on(0, 0), target);
    gesture.move({5, 0}, on(5, 0), target, screen);
    gesture.move({35, 0}, off(), target, screen);
    gesture.move({5, 6}, on(5, 6), target, screen);
    EXPECT_EQ(target.phases.size(), 3u);
    EXPECT_EQ(screen.inversions, 5 + 6);  // (1..5, 0), then (5, 1..6)
    EXPECT_TRUE(bits[0] != 0);
    // Released outside the window: the drag ends all the same, and the screen is as it was.
    EXPECT_TRUE(gesture.finish(off(), target, screen));
    EXPECT_EQ(target.phases.back().phase, DragPhase::End);
    EXPECT_EQ(screen.pixels, before);
    EXPECT_FALSE(gesture.dragging());
}

TEST_F(Gesture, WithoutAMaskTheDragStillReachesTheEngine) {
    SampleDragGesture bare(DragTrailMask(nullptr, 40, 30));
    bare.press({1, 1}, on(1, 1), target);
    bare.move({9, 9}, on(9, 9), target, screen);
    bare.finish(on(9, 9), target, screen);
    EXPECT_EQ(target.phases.size(), 3u);
    EXPECT_EQ(screen.inversions, 0);
}

} // namespace
} // namespace velokrom
