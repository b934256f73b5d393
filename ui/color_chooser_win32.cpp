#include "color_chooser_win32.h"

#include <windows.h>

#include <commdlg.h>

namespace velokrom {

bool Win32ColorChooser::choose(WindowHandle owner, PackedColor initial, CustomColors& custom, PackedColor& chosen) {
    // PackedColor is a COLORREF: red in the low byte.
    COLORREF colors[16];
    for (size_t k = 0; k < custom.size(); ++k) colors[k] = custom[k];
    CHOOSECOLORA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = static_cast<HWND>(owner);
    dialog.rgbResult = initial;
    dialog.lpCustColors = colors;
    dialog.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorA(&dialog)) return false;
    for (size_t k = 0; k < custom.size(); ++k) custom[k] = colors[k];
    chosen = dialog.rgbResult;
    return true;
}

} // namespace velokrom
