#pragma once
// Where the main window goes and how big it is, from the image, the screen and the bars.
#include <cstdint>

namespace velokrom {

// A rectangle in screen or client pixels, right and bottom exclusive (as the window system has it).
struct PixelRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
};

struct BarHeights {
    int32_t toolbar;    // the toolbar window's height minus 1; 0 without a toolbar
    int32_t statusBar;  // likewise
};

// The client area of the image between the bars: at least the toolbar's width (an image
// narrower than that is shown taller by the same ratio), and within the screen.
struct ClientSize {
    int32_t width;
    int32_t height;
};
ClientSize mainClientSize(int32_t imageWidth, int32_t imageHeight, int32_t screenWidth, int32_t screenHeight,
                          BarHeights bars);

// The whole client rectangle (bars included) centred on the screen.
PixelRect mainClientRect(ClientSize size, int32_t screenWidth, int32_t screenHeight, BarHeights bars);

// A window that starts left of or above the screen is centred on that axis.
PixelRect keepOnScreen(PixelRect window, int32_t screenWidth, int32_t screenHeight);

// The display window between the bars of a client area of that size.
PixelRect displayWindowRect(int32_t clientWidth, int32_t clientHeight, BarHeights bars);

} // namespace velokrom
