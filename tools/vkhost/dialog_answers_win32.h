#pragma once
// Answers the filter's real windows during a `vkhost run` on Windows the way the native host's
// script does: the start dialog gets the --choice (or Cancel) the first time and OK with its
// preset after that, the overwrite question gets --overwrite, the main window gets --window (or
// stays for the person), and every other message box is written to the report and confirmed.
// The answers are clicks from a second thread.
#include <atomic>
#include <ostream>
#include <thread>

#include "run_arguments.h"

namespace velokrom::vkhost {

class DialogAnswers {
public:
    DialogAnswers(const RunArguments& run, std::ostream& report);
    ~DialogAnswers();  // stops answering
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

private:
    void answer();

    const RunArguments& run_;
    std::ostream& report_;
    std::atomic<bool> done_{false};
    std::thread thread_;
};

} // namespace velokrom::vkhost
