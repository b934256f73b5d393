#pragma once
// A scripted stand-in for the window system: it records what the main window's logic sets
// (states, texts, cursors, bars, capture, trail pixels) and answers its questions from a script.
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/window_services.h"

namespace velokrom::testing {

struct ScriptedCommandState {
    bool menuEnabled = true;
    bool menuChecked = false;
    ButtonState button = ButtonState::Enabled;
};

// Menu items and toolbar buttons as the window system keeps them: checking a button of a radio
// group unchecks the rest of its group, whatever their enabled state.
class ScriptedCommandStates : public CommandStateSink {
public:
    ScriptedCommandStates();
    void setMenuEnabled(int32_t id, bool enabled) override { states[id].menuEnabled = enabled; }
    void setMenuChecked(int32_t id, bool checked) override { states[id].menuChecked = checked; }
    void setButtonState(int32_t id, ButtonState state) override;
    bool buttonChecked(int32_t id) { return states[id].button == ButtonState::Checked; }

    std::map<int32_t, ScriptedCommandState> states;
};

class ScriptedProgressBar : public ProgressBarView {
public:
    void setCursor(CursorShape shape) override { cursor = shape; }
    bool createBar(int32_t maximum) override;
    void stepBar() override { ++steps; }
    void destroyBar() override { shown = false; }

    bool statusBar = true;
    bool shown = false;
    int created = 0, steps = 0;
    int32_t range = -1;  // of the last bar asked for
    CursorShape cursor = CursorShape::Arrow;
};

// A display of 24-bit pixels the trail inverts.
class ScriptedScreen : public TrailCanvas {
public:
    ScriptedScreen(int32_t width, int32_t height);
    void invertPixel(int32_t x, int32_t y) override;
    int32_t width, height;
    std::vector<uint32_t> pixels;
    int inversions = 0;
};

// The tuning dialog's window: it records what it is told, one line a call.
class ScriptedTuningView : public TuningDialogView {
public:
    bool create() override;
    void destroy() override { calls.push_back("destroy"); }
    void showSliderPosition(int32_t sliderId, int32_t position) override;
    void showText(int32_t textId, const std::string& text) override;
    void resetSliders() override { calls.push_back("reset"); }
    void repaintSwatch() override { calls.push_back("swatch"); }
    void refreshDisplay() override { calls.push_back("refresh"); }

    bool creatable = true;
    std::vector<std::string> calls;
};

// Answers with a colour (or cancels) and defines a custom colour either way, as a user can.
class ScriptedColorChooser : public ColorChooser {
public:
    bool choose(WindowHandle owner, PackedColor initial, CustomColors& custom, PackedColor& chosen) override;

    bool accept = true;
    PackedColor answer = 0;
    std::vector<WindowHandle> owners;
    std::vector<PackedColor> offeredInitial;
    std::vector<CustomColors> offeredCustom;
};

class ScriptedWindow : public WindowServices {
public:
    ScriptedWindow(int32_t displayWidth, int32_t displayHeight) : screen(displayWidth, displayHeight) {}

    CommandStateSink& commandStates() override { return states; }
    ProgressBarView& progressBar() override { return progress; }
    void setStatusText(const char* text) override;
    void beep() override { ++beeps; }
    bool askYesNo(const char* caption, const char* text) override;
    void tell(const char* caption, const char* text) override { told.push_back(std::string(caption) + ": " + text); }
    void setCursor(CursorShape shape) override { cursor = shape; }
    CursorHandle showWaitCursor() override;
    void restoreCursor(CursorHandle previous) override;
    std::optional<bool> altHeld() override { return alt; }
    bool displayExists() override { return true; }
    ClientSize displayClientSize() override { return {screen.width, screen.height}; }
    void invalidateDisplay(bool erase) override { ++(erase ? erasingInvalidations : invalidations); }
    void showScrollBar(ScrollAxis axis, bool shown) override { bar(axis).shown = shown; }
    void setScrollBar(ScrollAxis axis, int32_t maximum, int32_t position) override;
    void captureMouse() override { captured = true; }
    void releaseMouse() override { captured = false; }
    TrailCanvas& trailCanvas() override { return screen; }
    TuningDialogView& tuningDialogView() override { return tuning; }
    ColorChooser& colorChooser() override { return chooser; }
    WindowHandle mainWindow() override { return kMainWindow; }
    void endRun() override { ++runsEnded; }

    static inline const WindowHandle kMainWindow = reinterpret_cast<WindowHandle>(0x4D41);

    struct Bar {
        bool shown = false;
        int32_t maximum = 0;
        int32_t position = 0;
    };
    Bar& bar(ScrollAxis axis) { return axis == ScrollAxis::Horizontal ? horizontal : vertical; }

    ScriptedCommandStates states;
    ScriptedProgressBar progress;
    ScriptedScreen screen;
    std::optional<std::string> statusText;
    std::deque<bool> answers;  // Yes (true) or No for each question, in order
    std::vector<std::string> questions, told;
    int beeps = 0;
    CursorShape cursor = CursorShape::Arrow;
    std::vector<CursorShape> waitStack;
    int waits = 0;
    std::optional<bool> alt = false;
    int invalidations = 0, erasingInvalidations = 0;
    Bar horizontal, vertical;
    bool captured = false;
    ScriptedTuningView tuning;
    ScriptedColorChooser chooser;
    int runsEnded = 0;
};

} // namespace velokrom::testing
