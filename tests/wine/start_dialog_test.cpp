// The start dialog and the choice flow, driven as a person would: radio buttons, OK, Cancel,
// Escape, and the overwrite question answered No, then Yes.
#include <gtest/gtest.h>
#include <windows.h>

#include "host/parameter_block.h"
#include "platform/string_table.h"
#include "plugin_under_wine.h"
#include "ui/command_ids.h"
#include "ui/start_dialog_ids.h"
#include "ui_driver_win32.h"

namespace velokrom::winetest {
namespace {

using namespace vkhost;

TEST_F(PluginUnderWine, WithoutBackgroundTheDialogPresetsSavingAndCancelOrEscapeDropsTheClickedChoice) {
    removeBackgroundFile();
    HostImage image = greenScreen(40, 30);
    const HostImage original = image;
    const int16_t result = runFilter(image, true, [&] {
        HWND dialog = waitForStartDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), window.handle());
        // The buttons show the decision (tests/ui/start_dialog_test.cpp): saving checked, the
        // saved background greyed.
        EXPECT_TRUE(isChecked(dialog, IDC_SAVE_AS_BACKGROUND));
        EXPECT_FALSE(isEnabled(dialog, IDC_USE_SAVED_BACKGROUND)) << "nothing saved to use";
        RECT r;
        GetWindowRect(dialog, &r);
        EXPECT_NEAR(r.left + (r.right - r.left) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1) << "centred";
        EXPECT_NEAR(r.top + (r.bottom - r.top) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1) << "centred";
        requestScreenshot(dialog, "start-dialog-no-background");

        pressButton(dialog, IDC_USE_GRAY_BACKGROUND);
        EXPECT_TRUE(waitUntil([&] {
            return isChecked(dialog, IDC_USE_GRAY_BACKGROUND) && !isChecked(dialog, IDC_SAVE_AS_BACKGROUND);
        }));
        requestScreenshot(dialog, "start-dialog-gray-clicked");
        pressButton(dialog, IDC_START_CANCEL);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(image.pixels, original.pixels);
    std::vector<uint8_t> block = host->parameterBytes(kParameterBlockSize);
    ParameterBlock parameters(block.data());
    EXPECT_FALSE(parameters.startDialogPending()) << "the dialog flow ran";
    EXPECT_FALSE(parameters.stateSaved());

    // Escape cancels it as well. (A choice carried out instead would leave the main window or
    // the saved-background message open: a failure of runFilter's person.)
    EXPECT_EQ(runFilter(image, true, [&] {
        HWND dialog = waitForStartDialog();
        ASSERT_NE(dialog, nullptr);
        postCommand(dialog, IDCANCEL);
    }), 1);
}

TEST_F(PluginUnderWine, SavingAskedTwiceBeforeOverwritingAndNoShowsTheDialogAgain) {
    removeBackgroundFile();
    HostImage first = greenScreen(24, 16);
    // No background yet: OK on the preset saves the image and says so.
    int16_t result = runFilter(first, true, [&] {
        HWND dialog = waitForStartDialog();
        ASSERT_NE(dialog, nullptr);
        pressButton(dialog, IDC_START_OK);
        HWND box = waitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(GetWindow(box, GW_OWNER), window.handle());
        EXPECT_NE(dialogText(box).find("has been saved for use as a"), std::string::npos) << dialogText(box);
        requestScreenshot(box, "background-saved");
        EXPECT_TRUE(answerAndWait(box, IDOK));
    });
    EXPECT_EQ(result, 1) << "saving leaves the image unchanged";
    EXPECT_EQ(backgroundFileBytes(), testing::backgroundFile(first, wholeOf(first)));

    HostImage second = backgroundPicture(24, 16);
    const std::string question = "A background image already exists.\n\nDo you want to overwrite it?";
    result = runFilter(second, true, [&] {
        HWND dialog = waitForStartDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(isChecked(dialog, IDC_USE_SAVED_BACKGROUND)) << "the saved background file is found and preset";
        requestScreenshot(dialog, "start-dialog-with-background");
        choose(dialog, IDC_SAVE_AS_BACKGROUND);

        HWND ask = waitForMessageBox();
        ASSERT_NE(ask, nullptr);
        EXPECT_EQ(GetWindow(ask, GW_OWNER), window.handle());
        EXPECT_EQ(dialogText(ask), question);
        EXPECT_NE(GetDlgItem(ask, IDYES), nullptr);
        EXPECT_NE(GetDlgItem(ask, IDNO), nullptr);
        requestScreenshot(ask, "overwrite-question");
        EXPECT_TRUE(answerAndWait(ask, IDNO));

        // No: the start dialog again, as fresh as the first time.
        HWND again = waitForStartDialog();
        ASSERT_NE(again, nullptr);
        choose(again, IDC_SAVE_AS_BACKGROUND);
        ask = waitForMessageBox();
        ASSERT_NE(ask, nullptr);
        EXPECT_TRUE(answerAndWait(ask, IDYES));
        HWND saved = waitForMessageBox();
        ASSERT_NE(saved, nullptr);
        EXPECT_TRUE(answerAndWait(saved, IDOK));
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(backgroundFileBytes(), testing::backgroundFile(second, wholeOf(second))) << "Yes overwrote the background";
}

// Watches the dialogs the filter makes on the host's thread: which window owns each, whether it
// has a caption, and where it was when it ended.
class DialogWatch {
public:
    struct Seen {
        HWND owner;
        bool captioned;
        RECT lastRect;
    };
    DialogWatch() : hook_(SetWindowsHookExW(WH_CBT, record, nullptr, GetCurrentThreadId())) { active = this; }
    ~DialogWatch() {
        UnhookWindowsHookEx(hook_);
        active = nullptr;
    }
    std::vector<Seen> ended;

private:
    static LRESULT CALLBACK record(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_DESTROYWND && active) {
            HWND window = reinterpret_cast<HWND>(wParam);
            char className[16];
            if (GetClassNameA(window, className, sizeof className) > 0 && lstrcmpA(className, "#32770") == 0) {
                Seen seen{GetWindow(window, GW_OWNER), (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) != 0, {}};
                GetWindowRect(window, &seen.lastRect);
                active->ended.push_back(seen);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline DialogWatch* active = nullptr;
    HHOOK hook_;
};

// (What the main window's Cancel leaves is the host tests' own: tests/host/start_flow_test.cpp.)
TEST_F(PluginUnderWine, ForegroundOverGrayRunsTheMainWindowInTheModalHost) {
    removeBackgroundFile();
    HostImage image = greenScreen(16, 8);
    DialogWatch watch;
    const int16_t result = runFilter(image, true, [&] {
        HWND main = startWith(IDC_USE_GRAY_BACKGROUND);
        ASSERT_NE(main, nullptr);
        closeWith(main, IDM_CANCEL);
    });
    // The start dialog, then the invisible modal host: owned by the host window, one pixel at
    // the screen's corner, ended once the main window's run returned.
    ASSERT_EQ(watch.ended.size(), 2u);
    EXPECT_TRUE(watch.ended[0].captioned);
    EXPECT_FALSE(watch.ended[1].captioned);
    EXPECT_EQ(watch.ended[1].owner, window.handle());
    const RECT corner{0, 0, 1, 1};
    EXPECT_TRUE(EqualRect(&watch.ended[1].lastRect, &corner))
        << watch.ended[1].lastRect.left << "," << watch.ended[1].lastRect.top << " to " << watch.ended[1].lastRect.right
        << "," << watch.ended[1].lastRect.bottom;
    EXPECT_EQ(result, 1);
}

} // namespace
} // namespace velokrom::winetest
