// A build without the Win32 window: there is no window to run, so the interactive run ends at
// once, as a window closed without OK or Cancel. Tests drive MainWindow through a scripted
// window instead (attachWindow).
#include "main_window.h"

namespace velokrom {

void MainWindow::runMainWindow(WindowHandle) {}

ProgressBarView& MainWindow::progressBeforeWindow() {
    // No cursor to change and no bar to make.
    class NoProgressView final : public ProgressBarView {
        void setCursor(CursorShape) override {}
        bool createBar(int32_t) override { return false; }
        void stepBar() override {}
        void destroyBar() override {}
    };
    static NoProgressView none;
    return none;
}

} // namespace velokrom
