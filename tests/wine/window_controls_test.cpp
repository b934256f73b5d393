// The main window's controls as Win32 makes them, in a frame of the test's own: the toolbar from
// the table with the library's strips, button and menu states through the rules, and the
// progress bar in the status bar. (The trail's inversion on the screen is checked by every
// paced drag of main_window_test.cpp.)
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "plugin_under_wine.h"
#include "ui/command_ids.h"
#include "ui/window_controls_win32.h"

namespace velokrom::winetest {
namespace {

class WindowControls : public PluginUnderWine {
protected:
    void SetUp() override {
        PluginUnderWine::SetUp();
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        frame = CreateWindowExA(0, "STATIC", "frame", WS_OVERLAPPEDWINDOW, 0, 0, 600, 300, nullptr, nullptr, nullptr,
                                nullptr);
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override {
        if (frame) DestroyWindow(frame);
    }
    LRESULT buttonState(HWND toolbar, int32_t id) {
        return SendMessageA(toolbar, TB_GETSTATE, static_cast<WPARAM>(id), 0);
    }

    HWND frame = nullptr;
};

TEST_F(WindowControls, ToolbarHoldsTheTablesButtonsWithTooltipsAndTheRulesSetThemWithTheMenu) {
    HWND toolbar = createMainToolbar(frame, library->module());
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 25);
    EXPECT_NE(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0), 0);
    EXPECT_GT(barHeight(toolbar), 0);
    size_t count = 0;
    const ToolbarSlot* slots = toolbarSlots(count);
    for (size_t i = 0; i < count; ++i) {
        if (slots[i].style == ButtonStyle::Separator) continue;
        const LRESULT state = buttonState(toolbar, slots[i].commandId);
        EXPECT_EQ((state & TBSTATE_ENABLED) != 0, slots[i].initialState != ButtonState::Greyed) << slots[i].commandId;
        EXPECT_EQ((state & TBSTATE_CHECKED) != 0, slots[i].initialState == ButtonState::Checked) << slots[i].commandId;
        EXPECT_EQ((state & TBSTATE_INDETERMINATE) != 0, slots[i].initialState == ButtonState::Greyed)
            << slots[i].commandId;
    }

    // The rules set menu and buttons, and a radio button unchecks its group.
    HMENU menu = LoadMenuA(library->module(), MAIN_MENU_NAME);
    ASSERT_NE(menu, nullptr);
    Win32CommandStates states(menu, toolbar);
    updateSampleCommands(states, true);
    checkGroupChoice(states, IDM_AUTO_SETUP, 4, 2);
    EXPECT_TRUE(buttonState(toolbar, IDM_SELECT_FOREGROUND) & TBSTATE_CHECKED);
    EXPECT_FALSE(buttonState(toolbar, IDM_AUTO_SETUP) & TBSTATE_CHECKED);
    EXPECT_TRUE(GetMenuState(menu, IDM_SELECT_FOREGROUND, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(menu, IDM_AUTO_SETUP, MF_BYCOMMAND) & MF_CHECKED);

    updateHistoryCommands(states, true, false);
    EXPECT_TRUE(buttonState(toolbar, IDM_UNDO) & TBSTATE_ENABLED);
    EXPECT_TRUE(buttonState(toolbar, IDM_REDO) & TBSTATE_INDETERMINATE);
    EXPECT_TRUE(GetMenuState(menu, IDM_REDO, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(menu, IDM_RESET, MF_BYCOMMAND) & MF_GRAYED);
    // Without a toolbar only the menu follows.
    Win32CommandStates menuOnly(menu, nullptr);
    updateMarkCommand(menuOnly, true);
    EXPECT_FALSE(GetMenuState(menu, IDM_RETURN_TO_MARK, MF_BYCOMMAND) & MF_GRAYED);
    DestroyMenu(menu);
}

TEST_F(WindowControls, ProgressBarLivesInTheStatusBarFromFirstToLastReport) {
    HWND status = createMainStatusBar(frame);
    ASSERT_NE(status, nullptr);
    Win32ProgressBar view(status);
    ProgressBar bar;
    bar.report(view, 0, 10);
    HWND shown = FindWindowExA(status, nullptr, PROGRESS_CLASSA, "VeloProgWin");
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(SendMessageA(shown, PBM_GETRANGE, FALSE, 0), 9);
    bar.report(view, 9, 10);
    EXPECT_FALSE(IsWindow(shown));
    // The control moves once per hundredth of its range, and not again within 40 ms: a quick
    // burst of rows leaves it where it was.
    bar.report(view, 0, 1001);
    shown = FindWindowExA(status, nullptr, PROGRESS_CLASSA, "VeloProgWin");
    for (int32_t k = 1; k <= 30; ++k) bar.report(view, k, 1001);
    EXPECT_EQ(SendMessageA(shown, PBM_GETPOS, 0, 0), 0);
    Sleep(60);
    bar.report(view, 31, 1001);
    EXPECT_EQ(SendMessageA(shown, PBM_GETPOS, 0, 0), 31);
    Sleep(60);
    bar.report(view, 32, 1001);
    EXPECT_EQ(SendMessageA(shown, PBM_GETPOS, 0, 0), 31);
}

} // namespace
} // namespace velokrom::winetest
