// The emulated host's display on Windows: the filter's pixels go to the window it paints.
#include <windows.h>

#include "emulated_host.h"

namespace velokrom::vkhost {

void drawOnDevice(void* deviceContext, const uint8_t* pixels, int32_t width, int32_t height, int32_t top, int32_t left) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(static_cast<HDC>(deviceContext), left, top, static_cast<DWORD>(width), static_cast<DWORD>(height),
                      0, 0, 0, static_cast<UINT>(height), pixels, &info, DIB_RGB_COLORS);
}

} // namespace velokrom::vkhost
