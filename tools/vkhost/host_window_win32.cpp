#include "host_window_win32.h"

namespace velokrom::vkhost {
namespace {

constexpr wchar_t kClassName[] = L"VelokromTestHost";

ATOM registerHostClass() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszClassName = kClassName;
    return RegisterClassW(&windowClass);
}

} // namespace

HostWindow::HostWindow() {
    static const ATOM registered = registerHostClass();
    window_ = registered ? CreateWindowW(kClassName, L"vkhost", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 640,
                                         480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)
                         : nullptr;
}

HostWindow::~HostWindow() {
    if (window_) DestroyWindow(window_);
}

} // namespace velokrom::vkhost
