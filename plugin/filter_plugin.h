#pragma once
// The object of one start call: image access against the host record and the user-interface
// side over the one engine state. It lives on the stack of the start call.
#include <cstdint>

#include "host/call_context.h"
#include "host/host_image_access.h"
#include "plugin_entry.h"
#include "ui/main_window.h"
#include "ui/start_dialog.h"

namespace velokrom {

class FilterPlugin : public HostImageAccess, public MainWindow {
public:
    FilterPlugin(CallContext& context, PluginEnvironment& environment);
    ~FilterPlugin() override;

    // While the start dialog's run is prepared or runs, progress goes to the window; otherwise
    // to the host, which may abort.
    bool progress(int32_t done, int32_t total) override;
    // The modal host around the main window. A run that ends without OK or Cancel is a Cancel.
    void runInteractive() override;
    // The start dialog, the overwrite question, saving or the interactive pass.
    void runStartChoice() override;
    void showAbout() override;

    // Shows the start dialog with its preset; false on Cancel.
    bool runStartDialog(StartChoice& choice);

    // The whole start call after construction: checks, start dialog flow, render pass.
    void runStart();

protected:
    // The main window's Help, Load Settings and Save Settings, owned by the main window.
    void showHelp() override;
    bool loadSettingsCommand() override;
    void saveSettingsCommand() override;

private:
    bool passesStartChecks();
    void renderPass();

    PluginEnvironment& environment_;
};

// The about box, owned by owner.
void showAboutBox(PlatformServices& platform, WindowHandle owner);

} // namespace velokrom
