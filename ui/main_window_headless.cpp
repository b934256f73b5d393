// A build without the Win32 window: there is no window to run, so the interactive run ends at
// once, as a window closed without OK or Cancel. Tests drive MainWindow through a scripted
// window instead (attachWindow).
#include "main_window.h"

namespace velokrom {

void MainWindow::runMainWindow(WindowHandle) {}

} // namespace velokrom
