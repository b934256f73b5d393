#include "window_layout.h"

#include <algorithm>
#include <cmath>

#include "command_table.h"

namespace velokrom {
namespace {

int32_t truncToInt(double value) {
    return static_cast<int32_t>(std::clamp(std::trunc(value), -2147483648.0, 2147483647.0));
}

} // namespace

ClientSize mainClientSize(int32_t imageWidth, int32_t imageHeight, int32_t screenWidth, int32_t screenHeight,
                          BarHeights bars) {
    imageWidth = std::max(imageWidth, 1);
    imageHeight = std::max(imageHeight, 1);
    int32_t width = std::max(kToolbarWidth, imageWidth);
    const float ratio = static_cast<float>(width) / static_cast<float>(imageWidth);
    int32_t height = std::max(truncToInt(static_cast<double>(imageHeight) * ratio), imageHeight);
    if (screenWidth <= width) width = screenWidth - 50;
    const int32_t barsHeight = bars.toolbar + bars.statusBar;
    if (barsHeight + height >= screenHeight) {
        height = screenHeight - truncToInt(static_cast<double>(ratio) * 50.0) - barsHeight;
        // A very narrow, tall image stretched to the toolbar's width would lose more than the
        // screen to the ratio's margin: it gets the plain margin instead.
        if (height < 1) height = screenHeight - 50 - barsHeight;
    }
    return {std::max(width, 1), std::max(height, 1)};
}

PixelRect mainClientRect(ClientSize size, int32_t screenWidth, int32_t screenHeight, BarHeights bars) {
    PixelRect r;
    r.top = (screenHeight - bars.toolbar - size.height) / 2;
    r.left = (screenWidth - size.width) / 2;
    r.bottom = r.top + bars.toolbar + bars.statusBar + size.height;
    r.right = r.left + size.width;
    return r;
}

PixelRect keepOnScreen(PixelRect window, int32_t screenWidth, int32_t screenHeight) {
    const int32_t width = window.width();
    const int32_t height = window.height();
    if (window.left < 0) window.left = (screenWidth - width) / 2;
    if (window.top < 0) window.top = (screenHeight - height) / 2;
    window.right = window.left + width;
    window.bottom = window.top + height;
    return window;
}

PixelRect displayWindowRect(int32_t clientWidth, int32_t clientHeight, BarHeights bars) {
    return {0, bars.toolbar - 2, clientWidth, clientHeight - bars.statusBar};
}

} // namespace velokrom
