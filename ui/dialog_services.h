#pragma once
// The filter's own modal windows as the host side calls them, and the system's file dialogs.
// The DLL shows ENTRY_DLG, INVISIBLE_DLG and the common open and save dialogs; tests and the
// native host put scripted stand-ins in their place.
#include "file_dialogs.h"
#include "platform/platform_services.h"
#include "start_dialog.h"

namespace velokrom {

class MainWindow;

class DialogServices : public FileDialogs {
public:
    virtual ~DialogServices() = default;
    // Shows the start dialog modally, owned by owner, with choice as the preset; on return choice
    // holds the user's choice. False when the user pressed Cancel.
    virtual bool runStartDialog(WindowHandle owner, StartChoice& choice) = 0;
    // Shows the invisible modal host owned by owner and, from inside its loop, runs the main window
    // (window.runMainWindow(dialog)); returns when the main window has closed.
    virtual void runModalHost(WindowHandle owner, MainWindow& window) = 0;
};

} // namespace velokrom
