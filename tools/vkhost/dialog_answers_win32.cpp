#include "dialog_answers_win32.h"

#include <windows.h>

#include "ui/command_ids.h"
#include "ui/start_dialog_ids.h"
#include "ui_driver_win32.h"

namespace velokrom::vkhost {
namespace {

constexpr char kCaption[] = "Velokrom";

int radioFor(StartChoice choice) {
    switch (choice) {
    case kSaveAsBackground: return IDC_SAVE_AS_BACKGROUND;
    case kOverSavedBackground: return IDC_USE_SAVED_BACKGROUND;
    case kOverNeutralGray: return IDC_USE_GRAY_BACKGROUND;
    }
    return 0;
}

bool isStartDialog(HWND dialog) { return GetDlgItem(dialog, IDC_START_OK) != nullptr; }
bool isYesNoBox(HWND dialog) { return GetDlgItem(dialog, IDYES) != nullptr; }

} // namespace

DialogAnswers::DialogAnswers(const RunArguments& run, std::ostream& report)
    : run_(run), report_(report), thread_([this] { answer(); }) {}

DialogAnswers::~DialogAnswers() {
    done_ = true;
    thread_.join();
}

void DialogAnswers::answer() {
    bool startAnswered = false;
    while (!done_) {
        if (run_.windowOk) {
            // The main window, once it is up, is ended with its own OK or Cancel command.
            HWND main = FindWindowA(MAIN_WINDOW_CLASS, nullptr);
            DWORD process = 0;
            if (main && IsWindowVisible(main) && GetWindowThreadProcessId(main, &process) &&
                process == GetCurrentProcessId()) {
                PostMessageA(main, WM_COMMAND, *run_.windowOk ? IDM_OK : IDM_CANCEL, 0);
                waitUntil([&] { return !IsWindow(main); });
            }
        }
        HWND dialog = waitForDialog(kCaption, 100);
        if (!dialog) continue;
        if (!isStartDialog(dialog)) {
            report_ << "message: " << dialogText(dialog) << "\n";
            answerAndWait(dialog, isYesNoBox(dialog) ? (run_.overwrite ? IDYES : IDNO) : IDOK);
            continue;
        }
        if (!startAnswered && run_.cancelStartDialog) {
            answerAndWait(dialog, IDC_START_CANCEL);
        } else {
            if (!startAnswered && run_.choice) pressButton(dialog, radioFor(*run_.choice));
            answerAndWait(dialog, IDC_START_OK);
        }
        startAnswered = true;
    }
}

} // namespace velokrom::vkhost
