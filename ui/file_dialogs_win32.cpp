// The common open and save dialogs, UTF-16 from the request's texts to the chosen path.
#include <windows.h>

#include <commdlg.h>

#include "dialog_services_win32.h"
#include "platform/utf8_win32.h"

namespace velokrom {

bool Win32DialogServices::choose(WindowHandle owner, const FileDialogRequest& request, std::string& path) {
    const std::wstring title = widen(request.title);
    const std::wstring filter = widen(request.filter);  // converted by length: its NULs stay
    const std::wstring extension = widen(request.defaultExtension);
    const std::wstring folder = widen(request.initialFolder);
    // The proposed name in the buffer the dialog writes the choice into, cut to fit.
    std::wstring name = widen(request.proposedName);
    name.resize(request.nameCapacity > 0 ? request.nameCapacity : 1, L'\0');
    name.back() = L'\0';

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = static_cast<HWND>(owner);
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    // The dialog would otherwise leave the process's current directory in the chosen folder,
    // under the host's other threads, which share it.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (request.save ? OFN_OVERWRITEPROMPT : OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    if (!(request.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return false;
    path = narrow(name.c_str(), lstrlenW(name.c_str()));
    return true;
}

} // namespace velokrom
