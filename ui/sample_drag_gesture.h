#pragma once
// A sample drag in the display window: the press on the image begins it, each move over the
// image draws the trail to it and adds its pixel, and the release ends it. Losing the mouse
// capture ends it the same way as the release, so a drag never outlives its button: no
// captured display, no trail left on the screen, and the engine always sees the end.
#include <cstdint>

#include "display_geometry.h"
#include "drag_trail.h"
#include "composite/sample_drag.h"

namespace velokrom {

class SampleDragTarget {
public:
    virtual ~SampleDragTarget() = default;
    virtual void sampleDrag(DragPhase phase, int32_t column, int32_t row) = 0;
};

class SampleDragGesture {
public:
    // mask may have no bits: the drag then draws no trail.
    explicit SampleDragGesture(DragTrailMask mask) : mask_(mask) {}

    // Begins a drag when the pixel lies on the image; true when it did (the caller captures the mouse).
    bool press(ClientPoint point, ImagePixel pixel, SampleDragTarget& target);
    // Points off the image are skipped: the next segment joins the last point on the image. A
    // move to the point the pointer is already at is no step: the window system sends such
    // moves on its own (after a capture change or a pointer warp), and sampling the pixel again
    // would weigh it twice in the key.
    void move(ClientPoint point, ImagePixel pixel, SampleDragTarget& target, TrailCanvas& canvas);
    // The release or the loss of the capture: erases the trail and ends the drag at pixel.
    // True when a drag ended; nothing happens when none was under way.
    bool finish(ImagePixel pixel, SampleDragTarget& target, TrailCanvas& canvas);

    bool dragging() const { return dragging_; }
    // After a repaint during the drag: the trail drawn again where the image covered it.
    void repainted(TrailCanvas& canvas) const {
        if (dragging_) mask_.redraw(canvas);
    }

private:
    DragTrailMask mask_;
    bool dragging_ = false;
    ClientPoint last_{0, 0};     // the last point on the image: where the trail goes on from
    ClientPoint pointer_{0, 0};  // where the last press or move put the pointer, on the image or not
};

} // namespace velokrom
