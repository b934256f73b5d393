#pragma once
// The main window's common controls and the Win32 side of its portable rules: the toolbar
// from the toolbar table, the status bar, menu and button states, the progress bar in the
// status bar, the drag trail on a device context and the cursors.
#include <windows.h>

#include "command_states.h"
#include "display_geometry.h"
#include "drag_trail.h"
#include "progress_bar.h"
#include "scroll_request.h"

namespace velokrom {

// Private messages between the main window's parts: the display window redraws after the key
// changed outside a drag (tuning Apply), and the tuning dialog returns its sliders to 0.
constexpr UINT WM_APP_REFRESH_VIEW = WM_USER + 202;
constexpr UINT WM_APP_RESET_SLIDERS = WM_USER + 204;

// A scroll bar's notification code as a request.
ScrollRequest scrollRequest(WORD code);

// A toolbar with tooltips and a border, holding the toolbar table's buttons in their initial
// states; null (after saying "CreateToolbar failed") when it cannot be made.
HWND createMainToolbar(HWND parent, HINSTANCE module);
// A status bar (child id 1) with one part reaching the right edge; null (after saying
// "CreateStatusbar failed") when it cannot be made.
HWND createMainStatusBar(HWND parent);
// A window's height minus 1, as the bar heights are counted; 0 without a window.
int32_t barHeight(HWND bar);
// Sets the status bar's single part; nothing without a status bar or a text.
void setStatusText(HWND statusBar, const char* text);

HCURSOR cursorFor(CursorShape shape, HINSTANCE module);

// Menu items and toolbar buttons. A checked button of a radio group unchecks the others of its
// group (the toolbar does that); a greyed button is in the indeterminate state.
class Win32CommandStates final : public CommandStateSink {
public:
    Win32CommandStates(HMENU menu, HWND toolbar) : menu_(menu), toolbar_(toolbar) {}
    void setMenuEnabled(int32_t commandId, bool enabled) override;
    void setMenuChecked(int32_t commandId, bool checked) override;
    void setButtonState(int32_t commandId, ButtonState state) override;

private:
    HMENU menu_;
    HWND toolbar_;
};

// The bar "VeloProgWin" over the status bar's first part.
class Win32ProgressBar final : public ProgressBarView {
public:
    explicit Win32ProgressBar(HWND statusBar) : statusBar_(statusBar) {}
    void setCursor(CursorShape shape) override;
    bool createBar(int32_t maximum) override;
    void stepBar() override;
    void destroyBar() override;

private:
    HWND statusBar_;
    HWND bar_ = nullptr;
    // The control repaints on every message (more than a millisecond each under Wine): told
    // the position per row it cost more than the pass, and even once per hundredth of its
    // range it added 150 ms to the re-key of a small image. It is told at most once per hundredth
    // and once per kRepaintGapMs, which an eye cannot tell from smooth.
    static constexpr DWORD kRepaintGapMs = 40;
    int32_t maximum_ = 0;
    int32_t position_ = 0;
    int32_t sentPosition_ = 0;
    DWORD sentAt_ = 0;
};

// Inverts the low seven bits of each channel of a window pixel.
class Win32TrailCanvas final : public TrailCanvas {
public:
    explicit Win32TrailCanvas(HDC dc) : dc_(dc) {}
    void invertPixel(int32_t x, int32_t y) override;

private:
    HDC dc_;
};

} // namespace velokrom
