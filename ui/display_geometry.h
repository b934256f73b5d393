#pragma once
// The display window's arithmetic: which image pixel lies under a client point, where the view
// sits in the window, the scroll bars, and the zoom factor's steps. Rectangles are the engine's
// DisplayRect (top, left, bottom, right, inclusive); sourceRect is in zoomed coordinates,
// destRect in client pixels. Window extents W and H are the client size plus one.
#include <cstdint>

#include "composite/keyer_engine.h"
#include "scroll_request.h"

namespace velokrom {

struct ImagePixel {
    int32_t column;
    int32_t row;
    bool onImage;
};

// The image pixel under client point (x, y). Points in a margin map below 0 and so lie off the image.
ImagePixel windowToImage(const DisplayRect& sourceRect, const DisplayRect& destRect, double zoomFactor, int32_t x,
                         int32_t y, int32_t imageWidth, int32_t imageHeight);

// Scrolls so that image pixel (column, row) is in the middle of a window of extents W x H.
void centreOn(DisplayRect& sourceRect, double zoomFactor, int32_t column, int32_t row, int32_t extentW,
              int32_t extentH);

// Where the view lies in the client area: centred with margins on an axis where the window is
// larger than the display buffer (an odd pixel left over goes to the left or top margin), else
// the client rectangle.
DisplayRect viewPlacement(int32_t clientWidth, int32_t clientHeight, int32_t bufferColumns, int32_t bufferRows);

// One scroll bar: shown when the window is smaller than the buffer; its range and position are
// image pixels.
struct ScrollBarLayout {
    bool needed;
    int32_t maximum;
    int32_t position;
};
struct ScrollLayout {
    ScrollBarLayout horizontal;
    ScrollBarLayout vertical;
};
// The scroll bars for the current scroll origin, which is moved onto the bar's position and
// kept within the zoomed view.
ScrollLayout layoutScrollBars(DisplayRect& sourceRect, double zoomFactor, int32_t extentW, int32_t extentH,
                              int32_t bufferColumns, int32_t bufferRows, int32_t imageWidth, int32_t imageHeight);

struct ScrollSteps {
    int32_t line;  // image pixels: 16 window pixels
    int32_t page;  // a window less one line, at least one pixel
};
ScrollSteps scrollSteps(double zoomFactor, int32_t extent);
// The bar's new position for a request, within 0 .. maximum.
int32_t scrollTarget(ScrollRequest request, int32_t position, int32_t thumb, ScrollSteps steps, int32_t maximum);
// Moves one axis of the scroll origin (low, high) to a bar position; the bar's end shows the
// last zoomed pixel at the window's edge.
void scrollAxisTo(int32_t& low, int32_t& high, int32_t position, int32_t maximum, double zoomFactor, int32_t extent,
                  int32_t zoomedSize);

// ---- zoom factor: powers of two from 1/16 to 16

enum class ZoomStep { In, Out, DefaultSize };
constexpr double kMinZoomFactor = 1.0 / 16.0;
constexpr double kMaxZoomFactor = 16.0;
double nextZoomFactor(ZoomStep step, double zoomFactor);
// A zoom in at 16 or a zoom out at 1/16 changes nothing.
bool zoomAtLimit(ZoomStep step, double zoomFactor);

enum class CursorShape { Arrow, Wait, ZoomIn, ZoomOut, ZoomLimit };
// Zoom mode's cursor over the image: out with Alt, in without, the limit sign where that
// direction can go no further.
CursorShape zoomCursor(bool altHeld, double zoomFactor);

} // namespace velokrom
