#pragma once
// The user-interface base of FilterPlugin. This is the interim form until the main window
// exists: it keeps the fields the host side needs and ends every interactive run at once,
// without OK or Cancel, which the run then treats as Cancel.
#include "composite/keyer_engine.h"
#include "platform/platform_services.h"

namespace velokrom {

class MainWindow : public virtual KeyerEngine {
public:
    // Runs the main window owned by owner until it closes (called from inside the modal host).
    virtual void runMainWindow(WindowHandle owner);
    // Progress while the interactive run is prepared or runs; the user cannot abort it.
    bool progress(int32_t done, int32_t total) override;

    WindowHandle hostWindow = nullptr;
    bool started = false;  // the modal host entered the main window
};

} // namespace velokrom
