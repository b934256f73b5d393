#include "display_geometry.h"

#include <algorithm>
#include <cmath>

namespace velokrom {
namespace {

int32_t truncToInt(double value) {
    return static_cast<int32_t>(std::clamp(std::trunc(value), -2147483648.0, 2147483647.0));
}

// A point left of or above the view maps below pixel 0 at every zoom: flooring, not
// truncation, so that half a zoomed pixel of margin is not taken for pixel 0.
int32_t floorToInt(double value) {
    return static_cast<int32_t>(std::clamp(std::floor(value), -2147483648.0, 2147483647.0));
}

void placeAxis(int32_t& low, int32_t& high, int32_t extent, int32_t bufferSize, int32_t clientSize) {
    if (extent > bufferSize) {
        low = (extent - bufferSize) / 2;
        high = low + bufferSize - 1;
    } else {
        low = 0;
        high = clientSize;
    }
}

ScrollBarLayout layoutAxis(int32_t& low, int32_t& high, double zoomFactor, int32_t extent, int32_t bufferSize,
                           int32_t imageSize) {
    ScrollBarLayout bar{extent < bufferSize, 0, 0};
    if (bar.needed) {
        bar.maximum = imageSize - truncToInt(extent / zoomFactor);
        bar.position = std::min(truncToInt(low / zoomFactor), bar.maximum);
    }
    const int32_t zoomedSize = truncToInt(imageSize * zoomFactor);
    low = std::max(truncToInt(zoomFactor * bar.position), 0);
    high = low + extent - 1;
    if (extent < zoomedSize && high > zoomedSize - 1) {
        high = zoomedSize - 1;
        low = high - extent + 1;
    }
    return bar;
}

} // namespace

ImagePixel windowToImage(const DisplayRect& sourceRect, const DisplayRect& destRect, double zoomFactor, int32_t x,
                         int32_t y, int32_t imageWidth, int32_t imageHeight) {
    ImagePixel p;
    p.column = floorToInt((sourceRect.left - destRect.left + static_cast<double>(x)) / zoomFactor);
    p.row = floorToInt((sourceRect.top - destRect.top + static_cast<double>(y)) / zoomFactor);
    p.onImage = p.column >= 0 && p.column < imageWidth && p.row >= 0 && p.row < imageHeight;
    return p;
}

void centreOn(DisplayRect& sourceRect, double zoomFactor, int32_t column, int32_t row, int32_t extentW,
              int32_t extentH) {
    sourceRect.left = std::max(truncToInt(zoomFactor * column) - extentW / 2, 0);
    sourceRect.top = std::max(truncToInt(zoomFactor * row) - extentH / 2, 0);
    sourceRect.right = sourceRect.left + extentW - 1;
    sourceRect.bottom = sourceRect.top + extentH - 1;
}

DisplayRect viewPlacement(int32_t clientWidth, int32_t clientHeight, int32_t bufferColumns, int32_t bufferRows) {
    DisplayRect dest{};
    placeAxis(dest.top, dest.bottom, clientHeight + 1, bufferRows, clientHeight);
    placeAxis(dest.left, dest.right, clientWidth + 1, bufferColumns, clientWidth);
    return dest;
}

ScrollLayout layoutScrollBars(DisplayRect& sourceRect, double zoomFactor, int32_t extentW, int32_t extentH,
                              int32_t bufferColumns, int32_t bufferRows, int32_t imageWidth, int32_t imageHeight) {
    ScrollLayout layout;
    layout.horizontal = layoutAxis(sourceRect.left, sourceRect.right, zoomFactor, extentW, bufferColumns, imageWidth);
    layout.vertical = layoutAxis(sourceRect.top, sourceRect.bottom, zoomFactor, extentH, bufferRows, imageHeight);
    return layout;
}

ScrollSteps scrollSteps(double zoomFactor, int32_t extent) {
    ScrollSteps steps;
    steps.line = truncToInt(16.0 / zoomFactor);
    // A window narrower than one line would otherwise page backwards.
    steps.page = std::max(truncToInt(extent / zoomFactor) - steps.line, 1);
    return steps;
}

int32_t scrollTarget(ScrollRequest request, int32_t position, int32_t thumb, ScrollSteps steps, int32_t maximum) {
    int32_t target = 0;
    switch (request) {
    case ScrollRequest::LineBack: target = position - steps.line; break;
    case ScrollRequest::LineForward: target = position + steps.line; break;
    case ScrollRequest::PageBack: target = position - steps.page; break;
    case ScrollRequest::PageForward: target = position + steps.page; break;
    case ScrollRequest::Thumb: target = thumb; break;
    case ScrollRequest::Top: target = 0; break;
    case ScrollRequest::Bottom: target = maximum; break;
    case ScrollRequest::EndScroll: target = position; break;
    case ScrollRequest::Other: target = 0; break;
    }
    return std::clamp(target, 0, std::max(maximum, 0));
}

void scrollAxisTo(int32_t& low, int32_t& high, int32_t position, int32_t maximum, double zoomFactor, int32_t extent,
                  int32_t zoomedSize) {
    low = position == maximum ? zoomedSize - extent : truncToInt(position * zoomFactor);
    low = std::max(low, 0);
    high = low + extent - 1;
    if (high > zoomedSize - 1) {
        high = zoomedSize - 1;
        low = high - extent + 1;
    }
}

double nextZoomFactor(ZoomStep step, double zoomFactor) {
    switch (step) {
    case ZoomStep::In: return std::min(zoomFactor * 2.0, kMaxZoomFactor);
    case ZoomStep::Out: return std::max(zoomFactor / 2.0, kMinZoomFactor);
    case ZoomStep::DefaultSize: break;
    }
    return 1.0;
}

bool zoomAtLimit(ZoomStep step, double zoomFactor) {
    return (step == ZoomStep::In && zoomFactor >= kMaxZoomFactor) ||
           (step == ZoomStep::Out && zoomFactor <= kMinZoomFactor);
}

CursorShape zoomCursor(bool altHeld, double zoomFactor) {
    if (altHeld) return zoomFactor <= kMinZoomFactor ? CursorShape::ZoomLimit : CursorShape::ZoomOut;
    return zoomFactor >= kMaxZoomFactor ? CursorShape::ZoomLimit : CursorShape::ZoomIn;
}

} // namespace velokrom
