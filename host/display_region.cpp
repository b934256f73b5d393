// The paint path: slide the buffer window over the requested span, then hand the buffer to the
// host's displayPixels, masked by the layer's transparency when the image has one.
#include <algorithm>

#include "host_image_access.h"

namespace velokrom {
namespace {

// Moves the window [low, high] of the given size along one axis, just far enough to hold
// [spanLow, spanHigh]; true when it moved.
bool slideToCover(int32_t& low, int32_t& high, int32_t size, int32_t spanLow, int32_t spanHigh) {
    if (spanLow < low) {
        low = spanLow;
        high = low + size - 1;
        return true;
    }
    if (spanHigh > high) {
        high = spanHigh;
        low = high - size + 1;
        return true;
    }
    return false;
}

} // namespace

void HostImageAccess::fillDisplayMask(int32_t transparencyOffset) {
    // The mask is sampled exactly like the buffer, so that it lines up with the shown pixels at
    // every zoom and scroll position and never reaches past the host's output buffer.
    const ZoomSampling s = zoomSampling(display, zoomFactor);
    for (int32_t j = 0; j < display.rows; ++j) {
        const int32_t row = std::clamp(s.firstRow + (j / s.repeat) * s.step, 0, imageHeight - 1);
        uint8_t* mask = displayMask_ + static_cast<size_t>(j) * static_cast<size_t>(display.columns);
        for (int32_t i = 0; i < display.columns; ++i) {
            const int32_t col = std::clamp(s.firstColumn + (i / s.repeat) * s.step, 0, imageWidth - 1);
            mask[i] = output_.pixel(row, col)[transparencyOffset];
        }
    }
}

int16_t HostImageAccess::displayRegion(const DisplayRect& sourceRect, const DisplayRect& destRect,
                                       void* deviceContext) {
    FilterRecord& r = record();
    if (!displayImage_ || !r.displayPixels || display.columns <= 0 || display.rows <= 0 || !(zoomFactor > 0.0))
        return noErr;

    const int32_t zoomedWidth = static_cast<int32_t>(imageWidth * zoomFactor);
    const int32_t zoomedHeight = static_cast<int32_t>(imageHeight * zoomFactor);
    if (zoomedWidth > display.columns || zoomedHeight > display.rows) {
        const int32_t spanRight = sourceRect.left + (destRect.right - destRect.left + 1) - 1;
        const int32_t spanBottom = sourceRect.top + (destRect.bottom - destRect.top + 1) - 1;
        const bool across = slideToCover(display.left, display.right, display.columns, sourceRect.left, spanRight);
        const bool down = slideToCover(display.top, display.bottom, display.rows, sourceRect.top, spanBottom);
        if (across || down) renderDisplayBuffer(*this, display, viewMode);
    }

    PSPixelMap map{};
    map.version = 1;
    // The published rectangles are half-open: bounds are rows x columns, and the source reaches
    // one past its last row and column, so that the host paints the whole destination.
    map.bounds = VRect{0, 0, display.rows, display.columns};
    map.imageMode = r.imageMode;
    map.rowBytes = display.columns * 3;
    map.colBytes = 3;
    map.planeBytes = 1;
    map.baseAddr = displayImage_;

    PSPixelMask mask{};
    const int32_t transparencyOffset = r.outHiPlane - r.outLoPlane;
    if (r.inLayerPlanes != 0 && r.inTransparencyMask != 0 && displayMask_ && output_.base && transparencyOffset >= 3 &&
        transparencyOffset < output_.columnBytes) {
        fillDisplayMask(transparencyOffset);
        mask.maskData = displayMask_;
        mask.rowBytes = display.columns;
        mask.colBytes = 1;
        mask.maskDescription = kSimplePSMask;
        map.masks = &mask;
    }

    VRect source;
    source.top = std::max(sourceRect.top - display.top, 0);
    source.left = std::max(sourceRect.left - display.left, 0);
    source.bottom = std::min(source.top + (destRect.bottom - destRect.top + 1), map.bounds.bottom);
    source.right = std::min(source.left + (destRect.right - destRect.left + 1), map.bounds.right);
    return r.displayPixels(&map, &source, destRect.top, destRect.left, deviceContext);
}

} // namespace velokrom
