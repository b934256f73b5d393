#include "person_input_win32.h"

#include "ui_driver_win32.h"

namespace velokrom::vkhost {

void sendMouse(POINT p, DWORD buttonFlags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | buttonFlags;
    SendInput(1, &input, sizeof input);
}

void sendKey(WORD virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

COLORREF screenPixel(POINT p) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

std::vector<uint8_t> shownPicture(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint8_t> pixels(static_cast<size_t>(client.right) * static_cast<size_t>(client.bottom) * 4);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(client.bottom), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool holdsCapture(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndCapture == window;
}

std::string pacedPressAndMoves(HWND display, const std::vector<POINT>& points, DWORD stepWaitMs) {
    if (points.empty()) return "no points";
    SetCursorPos(points.front().x, points.front().y);
    sendMouse(points.front(), MOUSEEVENTF_LEFTDOWN);
    if (!waitUntil([&] { return holdsCapture(display); }, stepWaitMs)) return "the press took no capture";
    for (size_t i = 1; i < points.size(); ++i) {
        const POINT p = points[i];
        const COLORREF before = screenPixel(p);
        sendMouse(p, 0);
        if (!waitUntil([&] { return screenPixel(p) == (before ^ 0x7F7F7F); }, stepWaitMs))
            return "no trail at screen point " + std::to_string(p.x) + "," + std::to_string(p.y);
    }
    return {};
}

std::string pacedDrag(HWND display, const std::vector<POINT>& points, DWORD stepWaitMs) {
    std::string missed = pacedPressAndMoves(display, points, stepWaitMs);
    if (points.empty()) return missed;
    sendMouse(points.back(), MOUSEEVENTF_LEFTUP);
    // The drag ends with the key applied to the whole image: on a large one that takes seconds.
    if (!waitUntil([&] { return !holdsCapture(display); }, 60000) && missed.empty())
        missed = "the release did not end the drag";
    return missed;
}

} // namespace velokrom::vkhost
