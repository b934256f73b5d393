#pragma once
// The display window's behaviour: where the view sits and which part of it shows, the scroll
// bars, zoom steps about a pixel, the cursor, clicks and sample drags. It keeps the window's
// own state (destRect, sourceRect, the bars, the drag) and works through the window services
// and its owner, the main window, which holds the engine's display buffer.
#include <cstdint>

#include "display_geometry.h"
#include "composite/keyer_engine.h"
#include "sample_drag_gesture.h"
#include "window_services.h"

namespace velokrom {

class DisplayOwner {
public:
    virtual ~DisplayOwner() = default;
    virtual int32_t bufferColumns() = 0;
    virtual int32_t bufferRows() = 0;
    // The engine's part of a zoom step (applyZoomStep's answers).
    virtual int16_t zoomStep(double factor, int32_t column, int32_t row) = 0;
    // Renders the buffer from the current view.
    virtual void renderView() = 0;
    virtual int16_t paintRegion(const DisplayRect& sourceRect, const DisplayRect& destRect, void* deviceContext) = 0;
    // A sample drag has ended (its end phase has run).
    virtual void dragEnded() = 0;
    // A zoom step failed beyond refusal: the run ends as Cancel.
    virtual void zoomFailed() = 0;
    // A right click in zoom mode turns it off, as the Zoom mode command does.
    virtual void leaveZoomMode() = 0;
};

class DisplayView final : private SampleDragTarget {
public:
    DisplayView(KeyerEngine& engine, DisplayOwner& owner, WindowServices& window, DragTrailMask trailMask);

    // Scrolls so that image pixel (column, row) is mid-window.
    void centreOn(int32_t column, int32_t row);
    // The size event: margins, and, unless the window was minimized, the scroll bars.
    void resized(bool minimized);
    void scroll(ScrollAxis axis, ScrollRequest request, int32_t thumb);
    // Draws the view; a drag's trail is drawn again over it.
    void paint(void* deviceContext);
    // Re-renders the buffer and invalidates the window, under the wait cursor.
    void refresh(bool erase);
    // False when the step failed beyond a refusal for lack of memory.
    bool zoomAt(ZoomStep step, int32_t column, int32_t row);

    ImagePixel pixelAt(int32_t x, int32_t y) const;
    void mouseMoved(int32_t x, int32_t y);
    void leftButtonDown(int32_t x, int32_t y);
    void leftButtonUp(int32_t x, int32_t y);
    // Another window took the mouse (Alt+Tab, a box): a drag under way ends as on release.
    void captureLost();
    void rightButtonDown(bool control, bool alt, bool shift);

    const DisplayRect& sourceRect() const { return sourceRect_; }
    const DisplayRect& destRect() const { return destRect_; }
    const ScrollLayout& scrollLayout() const { return scrollLayout_; }
    bool dragging() const { return gesture_.dragging(); }

private:
    void sampleDrag(DragPhase phase, int32_t column, int32_t row) override;
    void endDrag(int32_t x, int32_t y);

    KeyerEngine& engine_;
    DisplayOwner& owner_;
    WindowServices& window_;
    SampleDragGesture gesture_;
    DisplayRect sourceRect_{0, 0, 0, 0};
    DisplayRect destRect_{0, 0, 0, 0};
    ScrollLayout scrollLayout_{{false, 0, 0}, {false, 0, 0}};
    bool horizontalShown_ = false;
    bool verticalShown_ = false;
};

} // namespace velokrom
