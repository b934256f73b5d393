#pragma once
// The user-interface base of FilterPlugin: the main window a person keys in. Its decisions are
// here and portable (commands and their states, status texts, progress, the display window's
// behaviour through DisplayView); the window system is reached only through WindowServices,
// which the Win32 window (main_window_win32.cpp) implements and tests script.
#include <cstdint>
#include <optional>

#include "composite/keyer_engine.h"
#include "display_view.h"
#include "platform/platform_services.h"
#include "progress_bar.h"
#include "solid_color_chooser.h"
#include "status_text.h"
#include "tuning_dialog.h"
#include "window_services.h"

namespace velokrom {

class MainWindow : public virtual KeyerEngine, private DisplayOwner {
public:
    // Builds, shows and runs the window owned by owner until OK or Cancel closes it (called from
    // inside the modal host). Without a window system (the native build) nothing is shown.
    virtual void runMainWindow(WindowHandle owner);
    // Progress while the interactive run is prepared or runs: the bar in the status bar; before
    // the window exists (the first composite of a dialog run), the wait cursor only.
    bool progress(int32_t done, int32_t total) override;

    // ---- the window's life, as runMainWindow (or a test's scripted window) drives it
    // The window system's side exists from here on; the display is centred on pixel (0, 0).
    void attachWindow(WindowServices& window, DragTrailMask trailMask);
    // The frame and its bars exist: the command states follow the run's state, then
    // onWindowCreated.
    void windowBuilt();
    // The window is on the screen: the view is laid out and drawn, and the idle hint shown.
    void windowShown();
    // The window was destroyed: the zoom goes back to 1 and the services are gone, with the
    // status bar any progress bar was in.
    void windowClosed();

    // ---- events of the main window
    // Every command event of the main window, with the control that sent it and its
    // notification code. An id that is not one of the window's commands goes to
    // onUnhandledCommand; false means the window system's default processing gets it.
    bool handleCommand(int32_t commandId, WindowHandle control = nullptr, int32_t notificationCode = 0);
    void showStatus(int32_t id, bool isHelp);
    // The tooltip of a toolbar button (null for none); the status bar shows its help line.
    const char* tooltipText(int32_t commandId);
    void menuHover(const MenuHover& hover);
    // Alt pressed or released with the pointer at a display client point; true when it was
    // consumed (zoom mode over the image), so that the menu bar does not open.
    bool altKey(bool down, int32_t x, int32_t y);
    // Another part of the window changed the key (tuning, colour chooser).
    void keyChangedElsewhere();
    DisplayView* displayView() { return view_ ? &*view_ : nullptr; }
    // The tuning dialog's decisions, while the window exists.
    TuningDialog* tuningDialog() { return tuning_ ? &*tuning_ : nullptr; }
    // A tuning drag ended: the dialog opens, or shows the new colours if it is open.
    void openTuningDialog() override;

    // ---- the rules that enable, grey and check the commands
    void updateSampleCommands(bool enabled);
    void updateHistoryCommands();
    void updateMarkCommand();
    void updateBlendChecks();
    void updateMatteToAlphaCommand();

    WindowHandle hostWindow = nullptr;
    // The frame while it exists: the owner of the dialogs and boxes its commands show.
    WindowHandle mainWindow = nullptr;
    bool started = false;  // the modal host entered the main window
    // The drag trail's mask: one bit per screen pixel, owned by the plug-in object.
    uint8_t* dragTrailBits = nullptr;
    // What the colour chooser offers as custom colours; kept from one Select Color to the next.
    CustomColors customColors = greyRampColors();

protected:
    // ---- hooks of the window's life; by default they change nothing
    // The main window, its bars and the display window exist and the command states are set.
    virtual void onWindowCreated(WindowServices& /*window*/) {}
    // A command id the window does not handle; true when the override handled it. By default
    // the window system's default processing gets it.
    virtual bool onUnhandledCommand(WindowServices& /*window*/, int32_t /*commandId*/, WindowHandle /*control*/,
                                    int32_t /*notificationCode*/) {
        return false;
    }
    // Where progress goes while there is no window: a view without a status bar, so that
    // only the cursor changes (main_window_win32.cpp; nothing at all without a window system).
    virtual ProgressBarView& progressBeforeWindow();

    // The commands whose dialogs live elsewhere; by default they show nothing and change nothing.
    virtual void showHelp() {}
    virtual bool loadSettingsCommand() { return false; }  // true when a file was loaded
    virtual void saveSettingsCommand() {}

private:
    // DisplayOwner: the engine's display buffer.
    int32_t bufferColumns() override { return display.columns; }
    int32_t bufferRows() override { return display.rows; }
    int16_t zoomStep(double factor, int32_t column, int32_t row) override;
    void renderView() override;
    int16_t paintRegion(const DisplayRect& sourceRect, const DisplayRect& destRect, void* deviceContext) override;
    void dragEnded() override;
    void zoomFailed() override { endRun(false); }
    void leaveZoomMode() override { handleCommand(IDM_ZOOM_MODE); }

    void endRun(bool ok);
    void toggleZoomMode();
    void chooseBlend(BlendMode mode);
    void toggleMatteToAlpha();
    void chooseSolidColor();
    // Under the wait cursor: the view redrawn and Undo, Redo and Reset updated.
    void refreshAfterKeyChange();
    void refreshIfKeyShown();

    WindowServices* window_ = nullptr;
    std::optional<DisplayView> view_;
    std::optional<TuningDialog> tuning_;
    ProgressBar progressBar_;
};

} // namespace velokrom
