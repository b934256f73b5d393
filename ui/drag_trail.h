#pragma once
// The trail a sample drag leaves on the screen: a four-connected line from point to point,
// each window pixel inverted at most once per drag, and a mask of one bit per screen pixel
// that remembers which ones are, so that releasing restores the screen exactly.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace velokrom {

struct ClientPoint {
    int32_t x;
    int32_t y;
};

// What draws the trail: inverting a window pixel twice restores it.
class TrailCanvas {
public:
    virtual ~TrailCanvas() = default;
    virtual void invertPixel(int32_t x, int32_t y) = 0;
};

// One bit per pixel of a width x height area, (width / 8 + 1) bytes per row, bit 0x80 of a
// byte its leftmost pixel. The bytes are the owner's. Points outside the area are never
// marked and never drawn: a window larger than the screen, or partly off it, loses those
// pixels of its trail rather than writing past the mask.
class DragTrailMask {
public:
    DragTrailMask(uint8_t* bits, int32_t width, int32_t height);
    static size_t bytesFor(int32_t width, int32_t height);

    // Inverts the pixel the first time it is marked in a drag; later marks leave it.
    void mark(int32_t x, int32_t y, TrailCanvas& canvas);
    // Inverts every marked pixel back and clears the mask.
    void erase(TrailCanvas& canvas);
    // Inverts every marked pixel again, keeping the marks: after a repaint during a drag has
    // drawn the image over part of the trail (the canvas clips to the repainted part).
    void redraw(TrailCanvas& canvas) const;

private:
    bool inside(int32_t x, int32_t y) const { return bits_ && x >= 0 && y >= 0 && x < width_ && y < height_; }
    size_t rowBytes() const { return static_cast<size_t>(width_ / 8 + 1); }

    uint8_t* bits_;
    int32_t width_;
    int32_t height_;
};

// The pixels of a four-connected line from `from` (excluded) to `to`, in order; a line of one
// point yields that point. Steps along the longer axis (the vertical one on a tie); when the
// error term runs out, the corner pixel comes before the step across.
template <typename Visit>
void fourConnectedLine(ClientPoint from, ClientPoint to, Visit visit) {
    if (from.x == to.x && from.y == to.y) {
        visit(to.x, to.y);
        return;
    }
    const int32_t dx = std::abs(to.x - from.x);
    const int32_t dy = std::abs(to.y - from.y);
    const int32_t sx = to.x >= from.x ? 1 : -1;
    const int32_t sy = to.y >= from.y ? 1 : -1;
    const bool vertical = dy >= dx;
    const int32_t major = vertical ? dy : dx;
    const int32_t minor = vertical ? dx : dy;
    int32_t x = from.x;
    int32_t y = from.y;
    int32_t error = major / 2;
    for (int32_t i = 0; i < major; ++i) {
        if (vertical) y += sy;
        else x += sx;
        error -= minor;
        if (error < 0) {
            visit(x, y);
            if (vertical) x += sx;
            else y += sy;
            error += major;
        }
        visit(x, y);
    }
}

} // namespace velokrom
