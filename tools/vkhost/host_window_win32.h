#pragma once
// The host's own top-level window: it stands behind platformData and owns every dialog of the
// filter, as an editor's main window does. Hidden: nothing is drawn in it.
#include <windows.h>

namespace velokrom::vkhost {

class HostWindow {
public:
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND handle() const { return window_; }

private:
    HWND window_;
};

} // namespace velokrom::vkhost
