#include "drag_trail.h"

#include <cstring>

namespace velokrom {

DragTrailMask::DragTrailMask(uint8_t* bits, int32_t width, int32_t height)
    : bits_(bits), width_(width > 0 ? width : 0), height_(height > 0 ? height : 0) {}

size_t DragTrailMask::bytesFor(int32_t width, int32_t height) {
    return static_cast<size_t>(width > 0 ? width / 8 + 1 : 1) * static_cast<size_t>(height > 0 ? height : 1);
}

void DragTrailMask::mark(int32_t x, int32_t y, TrailCanvas& canvas) {
    if (!inside(x, y)) return;
    uint8_t& byte = bits_[static_cast<size_t>(y) * rowBytes() + x / 8];
    const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
    if (byte & bit) return;
    byte = static_cast<uint8_t>(byte | bit);
    canvas.invertPixel(x, y);
}

void DragTrailMask::redraw(TrailCanvas& canvas) const {
    if (!bits_) return;
    for (int32_t y = 0; y < height_; ++y) {
        const uint8_t* row = bits_ + static_cast<size_t>(y) * rowBytes();
        for (int32_t x = 0; x < width_; ++x) {
            if (row[x / 8] == 0) {
                x |= 7;  // a whole clear byte: on to the next
                continue;
            }
            if (row[x / 8] & (0x80 >> (x % 8))) canvas.invertPixel(x, y);
        }
    }
}

void DragTrailMask::erase(TrailCanvas& canvas) {
    if (!bits_) return;
    redraw(canvas);
    std::memset(bits_, 0, rowBytes() * static_cast<size_t>(height_));
}

} // namespace velokrom
