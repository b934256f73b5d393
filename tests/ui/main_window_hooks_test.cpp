// The main window's hooks and its progress around the window's life, over the engine in memory
// and a scripted window: when creation is announced, where commands it does not know go, and
// that progress before, during and after a window neither is lost nor outlives its status bar.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "composite/memory_image_access.h"
#include "scripted_window.h"
#include "ui/command_ids.h"
#include "ui/main_window.h"

namespace velokrom {
namespace {

using UnhandledCommand = std::tuple<int32_t, WindowHandle, int32_t>;  // id, control, notification code

class RecordingWindow : public MemoryImageAccess, public MainWindow {
public:
    RecordingWindow() : MemoryImageAccess(RgbImage(8, 4, 60), RgbImage(8, 4, 100)) {}
    bool progress(int32_t done, int32_t total) override { return MainWindow::progress(done, total); }

    testing::ScriptedProgressBar beforeWindow;
    // What the scripted window's states were when creation was announced.
    std::vector<bool> checkedAtCreation;
    std::vector<UnhandledCommand> unhandled;
    bool handleUnknown = false;

protected:
    void onWindowCreated(WindowServices& window) override {
        auto& states = static_cast<testing::ScriptedCommandStates&>(window.commandStates());
        checkedAtCreation = {states.states[IDM_AUTO_SETUP].menuChecked, states.states[IDM_VIEW_COMPOSITE].menuChecked,
                             states.states[IDM_BLEND_DEFOCUSED].menuChecked};
    }
    bool onUnhandledCommand(WindowServices&, int32_t id, WindowHandle control, int32_t code) override {
        unhandled.emplace_back(id, control, code);
        return handleUnknown;
    }
    ProgressBarView& progressBeforeWindow() override { return beforeWindow; }
};

class MainWindowHooks : public ::testing::Test {
protected:
    void SetUp() override { model.beforeWindow.statusBar = false; }
    void attach(testing::ScriptedWindow& window) {
        model.attachWindow(window, DragTrailMask(trailBits.data(), 8, 8));
        model.windowBuilt();
    }

    RecordingWindow model;
    std::vector<uint8_t> trailBits = std::vector<uint8_t>(8);
    testing::ScriptedWindow first{300, 200}, second{300, 200};
};

TEST_F(MainWindowHooks, CreationIsAnnouncedOnceTheCommandStatesAreSet) {
    attach(first);
    EXPECT_EQ(model.checkedAtCreation, (std::vector<bool>{true, true, true}));
}

TEST_F(MainWindowHooks, OnlyIdsOutsideTheCommandsReachTheHookWhoseAnswerDecides) {
    int control = 0;
    EXPECT_FALSE(model.handleCommand(40099, &control, 5));  // no window yet: default processing
    attach(first);
    EXPECT_TRUE(model.handleCommand(IDM_VIEW_MATTE, &control, 1));
    EXPECT_TRUE(model.unhandled.empty());
    for (const bool handled : {false, true}) {
        model.handleUnknown = handled;
        EXPECT_EQ(model.handleCommand(IDM_FIRST - 1, &control, 7), handled);
        EXPECT_EQ(model.handleCommand(IDM_LAST + 1), handled);
    }
    const UnhandledCommand below{IDM_FIRST - 1, &control, 7}, above{IDM_LAST + 1, nullptr, 0};
    EXPECT_EQ(model.unhandled, (std::vector<UnhandledCommand>{below, above, below, above}));
}

// Before a window only the cursor shows progress; a bar shown when a window closes went with
// its status bar and keeps neither the rest of its operation nor the next window from a bar.
TEST_F(MainWindowHooks, ProgressBeforeDuringAndAfterAWindowGoesWhereThereIsABar) {
    model.progress(0, 10);
    EXPECT_EQ(model.beforeWindow.cursor, CursorShape::Wait);
    for (int32_t k = 1; k < 9; ++k) model.progress(k, 10);
    model.progress(9, 10);
    EXPECT_EQ(model.beforeWindow.cursor, CursorShape::Arrow);
    EXPECT_EQ(std::tuple(model.beforeWindow.created, model.beforeWindow.steps), std::tuple(0, 0));

    attach(first);
    model.progress(0, 10);
    model.progress(1, 10);
    ASSERT_TRUE(first.progress.shown);
    model.windowClosed();
    model.progress(2, 10);  // the rest of the operation, without a window
    model.progress(9, 10);
    EXPECT_EQ(first.progress.steps, 1);

    attach(second);
    model.progress(0, 5);
    model.progress(1, 5);
    EXPECT_EQ(std::tuple(second.progress.created, second.progress.steps), std::tuple(1, 1));
}

} // namespace
} // namespace velokrom
