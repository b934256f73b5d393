#pragma once
// What the main window's logic asks of the window system, one call per operation it uses.
// The Win32 main window implements it over its frame, bars and display window; native tests
// put a scripted stand-in in its place.
#include <cstdint>
#include <optional>

#include "command_states.h"
#include "display_geometry.h"
#include "drag_trail.h"
#include "platform/wait_cursor.h"
#include "progress_bar.h"
#include "solid_color_chooser.h"
#include "tuning_dialog.h"
#include "window_layout.h"

namespace velokrom {

enum class ScrollAxis { Horizontal, Vertical };

// The window shows the wait cursor (WaitCursor) over itself.
class WindowServices : public WaitCursorSurface {
public:
    virtual ~WindowServices() = default;

    // ---- the frame: menu, toolbar, status bar
    virtual CommandStateSink& commandStates() = 0;
    virtual ProgressBarView& progressBar() = 0;
    // Nothing happens without a status bar.
    virtual void setStatusText(const char* text) = 0;

    // ---- the user
    virtual void beep() = 0;
    // A Yes/No box owned by the main window, without icon; true for Yes.
    virtual bool askYesNo(const char* caption, const char* text) = 0;
    // A box owned by the display window.
    virtual void tell(const char* caption, const char* text) = 0;
    virtual void setCursor(CursorShape shape) = 0;
    // Whether Alt is held; nothing when the keyboard state cannot be read.
    virtual std::optional<bool> altHeld() = 0;

    // ---- the display window
    virtual bool displayExists() = 0;
    virtual ClientSize displayClientSize() = 0;
    virtual void invalidateDisplay(bool erase) = 0;
    virtual void showScrollBar(ScrollAxis axis, bool shown) = 0;
    // Range 0 .. maximum and the position, redrawn.
    virtual void setScrollBar(ScrollAxis axis, int32_t maximum, int32_t position) = 0;
    virtual void captureMouse() = 0;
    virtual void releaseMouse() = 0;
    // The display window's pixels, for the drag trail.
    virtual TrailCanvas& trailCanvas() = 0;

    // ---- the dialogs the window opens
    // The colour tuning dialog's window, owned by the display window.
    virtual TuningDialogView& tuningDialogView() = 0;
    // The system's colour chooser, and the main window that owns it while it runs.
    virtual ColorChooser& colorChooser() = 0;
    virtual WindowHandle mainWindow() = 0;

    // ---- the end of the run: the host's window to the top, the main window destroyed
    virtual void endRun() = 0;
};

} // namespace velokrom
