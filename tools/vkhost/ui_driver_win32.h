#pragma once
// Drives the filter's windows from a second thread of the host process, as a person would:
// find a window, read its controls, press buttons. Everything waits for a state with a time
// limit instead of sleeping. Commands that open modal UI are posted, never sent; only queries
// are sent (with a timeout), and those are answered even while the UI thread sits in a modal loop.
#include <windows.h>

#include <functional>
#include <string>

namespace velokrom::vkhost {

constexpr DWORD kUiWait = 5000;

// Polls until condition holds; false after timeoutMs.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kUiWait);

// A visible dialog ("#32770") of this process with that caption; null if none.
HWND findDialog(const std::string& caption);
// The same, waiting for one to appear; null after the time limit.
HWND waitForDialog(const std::string& caption, DWORD timeoutMs = kUiWait);

std::string windowText(HWND window);
// The texts of a dialog's static controls, joined in child order: a message box's text,
// whatever its control id.
std::string dialogText(HWND dialog);
bool isChecked(HWND dialog, int controlId);
bool isEnabled(HWND dialog, int controlId);

// A click on a dialog's button, delivered through the dialog's own message loop.
void pressButton(HWND dialog, int controlId);
// A command as Enter or Escape would send it (IDOK, IDCANCEL), or a message box's answer.
void postCommand(HWND dialog, int commandId);
// Posts the command and waits until the dialog has gone, so that the next search cannot find it.
bool answerAndWait(HWND dialog, int commandId);

// If VELOKROM_SHOT_DIR is set, asks the test's screenshot helper to capture window: writes
// <dir>/<tag>.ready with the window's screen rectangle and waits (up to 15 s) for <dir>/<tag>.go.
void requestScreenshot(HWND window, const std::string& tag);

// Ends the process with exit code 3 if it is still running after timeoutMs: a stuck modal
// loop must not hang a test run.
void startWatchdog(DWORD timeoutMs);

} // namespace velokrom::vkhost
