#pragma once
// The start dialog and the invisible modal host as Win32 dialogs from the library's resources,
// and the common open and save dialogs.
#include "dialog_services.h"

namespace velokrom {

class Win32DialogServices final : public DialogServices {
public:
    bool runStartDialog(WindowHandle owner, StartChoice& choice) override;  // start_dialog_win32.cpp
    void runModalHost(WindowHandle owner, MainWindow& window) override;     // modal_host_win32.cpp
    bool choose(WindowHandle owner, const FileDialogRequest& request, std::string& path) override;  // file_dialogs_win32.cpp
};

} // namespace velokrom
