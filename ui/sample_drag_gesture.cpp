#include "sample_drag_gesture.h"

namespace velokrom {

bool SampleDragGesture::press(ClientPoint point, ImagePixel pixel, SampleDragTarget& target) {
    if (!pixel.onImage || dragging_) return false;
    dragging_ = true;
    last_ = pointer_ = point;
    target.sampleDrag(DragPhase::Begin, pixel.column, pixel.row);
    return true;
}

void SampleDragGesture::move(ClientPoint point, ImagePixel pixel, SampleDragTarget& target, TrailCanvas& canvas) {
    if (!dragging_ || (point.x == pointer_.x && point.y == pointer_.y)) return;
    pointer_ = point;
    if (!pixel.onImage) return;
    fourConnectedLine(last_, point, [&](int32_t x, int32_t y) { mask_.mark(x, y, canvas); });
    last_ = point;
    target.sampleDrag(DragPhase::Continue, pixel.column, pixel.row);
}

bool SampleDragGesture::finish(ImagePixel pixel, SampleDragTarget& target, TrailCanvas& canvas) {
    if (!dragging_) return false;
    dragging_ = false;
    mask_.erase(canvas);
    target.sampleDrag(DragPhase::End, pixel.column, pixel.row);
    return true;
}

} // namespace velokrom
