// ENTRY_DLG: translates the dialog's messages into the start dialog's decisions.
#include <windows.h>

#include "dialog_services_win32.h"
#include "platform/module_instance_win32.h"
#include "resource_ids.h"
#include "start_dialog.h"

namespace velokrom {
namespace {

void showInitialButtons(HWND dialog, StartChoice preset) {
    const StartDialogButtons buttons = initialStartDialogButtons(preset);
    CheckDlgButton(dialog, IDC_USE_SAVED_BACKGROUND, buttons.useSavedChecked ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_USE_GRAY_BACKGROUND, buttons.useGrayChecked ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SAVE_AS_BACKGROUND, buttons.saveChecked ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dialog, IDC_USE_SAVED_BACKGROUND), buttons.useSavedEnabled);
}

void centreOnScreen(HWND dialog) {
    RECT frame;
    GetWindowRect(dialog, &frame);
    const WindowOrigin origin = centredOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                                frame.right - frame.left, frame.bottom - frame.top);
    SetWindowPos(dialog, nullptr, origin.left, origin.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
}

INT_PTR CALLBACK startDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        auto* choice = reinterpret_cast<StartChoice*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        showInitialButtons(dialog, *choice);
        centreOnScreen(dialog);
        return TRUE;
    }
    case WM_COMMAND: {
        auto* choice = reinterpret_cast<StartChoice*>(GetWindowLongPtrW(dialog, DWLP_USER));
        const int id = LOWORD(wParam);
        if (id == IDC_START_OK || id == IDC_START_CANCEL) {
            EndDialog(dialog, id);
        } else if (id == IDCANCEL) {
            // Escape (and closing the window) cancel, as in any dialog.
            EndDialog(dialog, IDC_START_CANCEL);
        } else if (HIWORD(wParam) == BN_CLICKED && choice) {
            *choice = choiceAfterClick(id, *choice);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

} // namespace

bool Win32DialogServices::runStartDialog(WindowHandle owner, StartChoice& choice) {
    StartChoice chosen = choice;
    const INT_PTR ended = DialogBoxParamW(moduleInstance(), L"" ENTRY_DLG_NAME, static_cast<HWND>(owner),
                                          startDialogProc, reinterpret_cast<LPARAM>(&chosen));
    // A dialog that cannot be shown at all leaves the preset.
    if (ended == -1 || ended == 0) return true;
    if (!startDialogAccepted(static_cast<int32_t>(ended))) return false;
    choice = chosen;
    return true;
}

} // namespace velokrom
