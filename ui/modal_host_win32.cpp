// INVISIBLE_DLG: a modal frame owned by the host window, so that the host stays disabled while
// the main window runs its own message loop. The main window is entered from the dialog's own
// loop (after its first paint), never from WM_INITDIALOG.
#include <windows.h>

#include "dialog_services_win32.h"
#include "main_window.h"
#include "platform/module_instance_win32.h"
#include "resource_ids.h"
#include "start_dialog_ids.h"

namespace velokrom {
namespace {

INT_PTR CALLBACK modalHostProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    auto* window = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        window = reinterpret_cast<MainWindow*>(lParam);
        window->started = false;
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SetWindowPos(dialog, nullptr, 0, 0, 1, 1, SWP_NOZORDER);
        return TRUE;
    case WM_PAINT:
        if (window && !window->started) PostMessageW(dialog, WM_APP_START_MAIN_WINDOW, 0, 0);
        return FALSE;  // the default handling validates the window
    case WM_APP_START_MAIN_WINDOW:
        if (window && !window->started) {
            window->started = true;
            window->runMainWindow(dialog);
            EndDialog(dialog, 0);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void Win32DialogServices::runModalHost(WindowHandle owner, MainWindow& window) {
    DialogBoxParamW(moduleInstance(), L"" INVISIBLE_DLG_NAME, static_cast<HWND>(owner), modalHostProc,
                    reinterpret_cast<LPARAM>(&window));
}

} // namespace velokrom
