#include "composite/sample_drag.h"

#include "composite/keyer_engine.h"

namespace velokrom {

void replayDrag(KeyerEngine& engine, const std::vector<DragPoint>& points) {
    if (points.empty()) return;
    engine.sampleDrag(DragPhase::Begin, points.front().x, points.front().y);
    for (size_t i = 1; i < points.size(); ++i) engine.sampleDrag(DragPhase::Continue, points[i].x, points[i].y);
    engine.sampleDrag(DragPhase::End, points.back().x, points.back().y);
}

} // namespace velokrom
