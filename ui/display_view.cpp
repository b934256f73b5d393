#include "display_view.h"

#include "platform/string_table.h"
#include "ui_strings.h"

namespace velokrom {
namespace {

int32_t zoomed(int32_t size, double factor) { return static_cast<int32_t>(size * factor); }

} // namespace

DisplayView::DisplayView(KeyerEngine& engine, DisplayOwner& owner, WindowServices& window, DragTrailMask trailMask)
    : engine_(engine), owner_(owner), window_(window), gesture_(trailMask) {}

void DisplayView::centreOn(int32_t column, int32_t row) {
    const ClientSize client = window_.displayClientSize();
    velokrom::centreOn(sourceRect_, engine_.zoomFactor, column, row, client.width + 1, client.height + 1);
}

void DisplayView::resized(bool minimized) {
    const ClientSize client = window_.displayClientSize();
    const int32_t columns = owner_.bufferColumns();
    const int32_t rows = owner_.bufferRows();
    destRect_ = viewPlacement(client.width, client.height, columns, rows);
    if (!minimized) {
        scrollLayout_ = layoutScrollBars(sourceRect_, engine_.zoomFactor, client.width + 1, client.height + 1, columns,
                                         rows, engine_.imageWidth, engine_.imageHeight);
        if (scrollLayout_.horizontal.needed != horizontalShown_) {
            horizontalShown_ = scrollLayout_.horizontal.needed;
            window_.showScrollBar(ScrollAxis::Horizontal, horizontalShown_);
        }
        if (scrollLayout_.vertical.needed != verticalShown_) {
            verticalShown_ = scrollLayout_.vertical.needed;
            window_.showScrollBar(ScrollAxis::Vertical, verticalShown_);
        }
        window_.setScrollBar(ScrollAxis::Horizontal, scrollLayout_.horizontal.maximum, scrollLayout_.horizontal.position);
        window_.setScrollBar(ScrollAxis::Vertical, scrollLayout_.vertical.maximum, scrollLayout_.vertical.position);
    }
    window_.invalidateDisplay(true);
}

void DisplayView::scroll(ScrollAxis axis, ScrollRequest request, int32_t thumb) {
    const bool across = axis == ScrollAxis::Horizontal;
    ScrollBarLayout& bar = across ? scrollLayout_.horizontal : scrollLayout_.vertical;
    const ClientSize client = window_.displayClientSize();
    const int32_t extent = across ? client.width + 1 : client.height + 1;
    const int32_t position = scrollTarget(request, bar.position, thumb, scrollSteps(engine_.zoomFactor, extent), bar.maximum);
    if (position == bar.position) return;
    bar.position = position;
    window_.setScrollBar(axis, bar.maximum, position);
    if (across)
        scrollAxisTo(sourceRect_.left, sourceRect_.right, position, bar.maximum, engine_.zoomFactor, extent,
                     zoomed(engine_.imageWidth, engine_.zoomFactor));
    else
        scrollAxisTo(sourceRect_.top, sourceRect_.bottom, position, bar.maximum, engine_.zoomFactor, extent,
                     zoomed(engine_.imageHeight, engine_.zoomFactor));
    window_.invalidateDisplay(false);
}

void DisplayView::paint(void* deviceContext) {
    owner_.paintRegion(sourceRect_, destRect_, deviceContext);
    gesture_.repainted(window_.trailCanvas());
}

void DisplayView::refresh(bool erase) {
    if (!window_.displayExists()) return;
    WaitCursor wait(window_);
    owner_.renderView();
    window_.invalidateDisplay(erase);
}

bool DisplayView::zoomAt(ZoomStep step, int32_t column, int32_t row) {
    if (zoomAtLimit(step, engine_.zoomFactor)) return true;
    const int16_t code = owner_.zoomStep(nextZoomFactor(step, engine_.zoomFactor), column, row);
    if (code != 0 && code != kZoomRefused) return false;
    centreOn(column, row);
    resized(false);
    refresh(true);
    return true;
}

ImagePixel DisplayView::pixelAt(int32_t x, int32_t y) const {
    return windowToImage(sourceRect_, destRect_, engine_.zoomFactor, x, y, engine_.imageWidth, engine_.imageHeight);
}

void DisplayView::mouseMoved(int32_t x, int32_t y) {
    const ImagePixel pixel = pixelAt(x, y);
    CursorShape shape = CursorShape::Arrow;
    if (pixel.onImage && engine_.zoomMode) {
        if (const std::optional<bool> alt = window_.altHeld()) shape = zoomCursor(*alt, engine_.zoomFactor);
    }
    window_.setCursor(shape);
    gesture_.move({x, y}, pixel, *this, window_.trailCanvas());
}

void DisplayView::leftButtonDown(int32_t x, int32_t y) {
    const ImagePixel pixel = pixelAt(x, y);
    if (!pixel.onImage) return;
    if (!engine_.zoomMode) {
        if (gesture_.press({x, y}, pixel, *this)) window_.captureMouse();
        return;
    }
    const std::optional<bool> alt = window_.altHeld();
    if (!alt) return;
    const ZoomStep step = *alt ? ZoomStep::Out : ZoomStep::In;
    if (!zoomAt(step, pixel.column, pixel.row)) {
        owner_.zoomFailed();
        return;
    }
    if (zoomAtLimit(step, engine_.zoomFactor)) window_.setCursor(CursorShape::ZoomLimit);
}

void DisplayView::endDrag(int32_t x, int32_t y) {
    if (gesture_.finish(pixelAt(x, y), *this, window_.trailCanvas())) owner_.dragEnded();
}

void DisplayView::leftButtonUp(int32_t x, int32_t y) {
    // The drag ends before the capture goes, so that losing it finds no drag left to end.
    endDrag(x, y);
    window_.releaseMouse();
}

void DisplayView::captureLost() { endDrag(0, 0); }

void DisplayView::rightButtonDown(bool control, bool alt, bool shift) {
    if (control && alt && shift) {
        window_.tell(IDS_CAPTION_STR, uiString(IDS_BUILD_ID));
        return;
    }
    if (engine_.zoomMode) owner_.leaveZoomMode();
}

void DisplayView::sampleDrag(DragPhase phase, int32_t column, int32_t row) { engine_.sampleDrag(phase, column, row); }

} // namespace velokrom
