#pragma once
// The filter's windows played by a script: the start dialog and the file dialogs answer from
// queues, the modal host hands the main window to a function. Used by the native vkhost and the
// tests.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialog_services.h"
#include "ui/main_window.h"

namespace velokrom::vkhost {

class ScriptedDialogs : public DialogServices {
public:
    // Answers of the start dialog, in turn: a choice (as if clicked, then OK) or nullopt for
    // Cancel. With the queue empty the dialog is confirmed with its preset, as OK untouched.
    std::deque<std::optional<StartChoice>> startAnswers;
    // Paths chosen in the file dialogs, in turn; with the queue empty the dialog is cancelled.
    std::deque<std::string> fileAnswers;
    // What happens inside the modal host; without it the main window closes at once.
    std::function<void(MainWindow&)> interactive;

    // What the filter showed: the start dialog's presets, the file dialogs asked for, and the
    // owners of every window.
    std::vector<StartChoice> startPresets;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<WindowHandle> owners;
    int32_t modalHostRuns = 0;

    bool runStartDialog(WindowHandle owner, StartChoice& choice) override {
        owners.push_back(owner);
        startPresets.push_back(choice);
        if (startAnswers.empty()) return true;
        const std::optional<StartChoice> answer = startAnswers.front();
        startAnswers.pop_front();
        if (!answer) return false;
        choice = *answer;
        return true;
    }

    void runModalHost(WindowHandle owner, MainWindow& window) override {
        owners.push_back(owner);
        ++modalHostRuns;
        window.started = true;
        // Without a script no window is shown: the run ends as a window closed without OK or
        // Cancel, in the Windows builds of the tests as well.
        if (interactive) interactive(window);
    }

    bool choose(WindowHandle owner, const FileDialogRequest& request, std::string& path) override {
        owners.push_back(owner);
        fileRequests.push_back(request);
        if (fileAnswers.empty()) return false;
        path = fileAnswers.front();
        fileAnswers.pop_front();
        return true;
    }
};

} // namespace velokrom::vkhost
