#pragma once
// A sample drag as the engine receives it: a press, moves, a release.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velokrom {

class KeyerEngine;

enum class DragPhase : int32_t { Begin = 0, Continue = 1, End = 2 };

struct DragPoint {
    int32_t x;
    int32_t y;
    bool operator==(const DragPoint& other) const { return x == other.x && y == other.y; }
};

// Plays points as one drag: the first begins it, every later one continues it, and the drag
// ends at the last. Nothing happens for no points.
void replayDrag(KeyerEngine& engine, const std::vector<DragPoint>& points);

} // namespace velokrom
