#include "ui_driver_win32.h"

#include <cstdio>
#include <cstdlib>

namespace velokrom::vkhost {
namespace {

constexpr DWORD kStep = 20;

bool ownVisibleDialog(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return false;
    char className[16];
    return GetClassNameA(window, className, sizeof className) > 0 && lstrcmpA(className, "#32770") == 0;
}

struct DialogSearch {
    const std::string* caption;
    HWND except;
    HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    if (window == search->except || !ownVisibleDialog(window) || windowText(window) != *search->caption) return TRUE;
    search->found = window;
    return FALSE;
}

HWND findDialog(const std::string& caption, HWND except) {
    DialogSearch search{&caption, except, nullptr};
    EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK collectStatic(HWND child, LPARAM param) {
    char className[16];
    if (GetClassNameA(child, className, sizeof className) > 0 && lstrcmpiA(className, "Static") == 0) {
        std::string text = windowText(child);
        if (!text.empty()) reinterpret_cast<std::vector<std::string>*>(param)->push_back(text);
    }
    return TRUE;
}

DWORD WINAPI watchdog(LPVOID param) {
    Sleep(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(param)));
    std::printf("FAIL: timeout: the filter's windows did not end\n");
    std::fflush(stdout);
    ExitProcess(3);
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

} // namespace

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(kStep);
    }
    return true;
}

HWND waitForDialog(const std::string& caption, HWND except, DWORD timeoutMs) {
    HWND found = nullptr;
    waitUntil([&] { return (found = findDialog(caption, except)) != nullptr; }, timeoutMs);
    return found;
}

bool waitForNoDialog(const std::string& caption, DWORD timeoutMs) {
    return waitUntil([&] { return findDialog(caption, nullptr) == nullptr; }, timeoutMs);
}

std::string windowText(HWND window) {
    char text[1024];
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                             &length))
        return {};
    return std::string(text, length < sizeof text ? length : 0);
}

std::vector<std::string> staticTexts(HWND dialog) {
    std::vector<std::string> texts;
    EnumChildWindows(dialog, collectStatic, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

bool isChecked(HWND dialog, int controlId) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, controlId), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    return state == BST_CHECKED;
}

bool isEnabled(HWND dialog, int controlId) { return IsWindowEnabled(GetDlgItem(dialog, controlId)) != FALSE; }

void pressButton(HWND dialog, int controlId) { PostMessageA(GetDlgItem(dialog, controlId), BM_CLICK, 0, 0); }

void postCommand(HWND dialog, int commandId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED), 0);
}

void requestScreenshot(HWND window, const std::string& tag) {
    const char* dir = std::getenv("VELOKROM_SHOT_DIR");
    if (!dir || !*dir) return;
    RECT r;
    if (!GetWindowRect(window, &r)) return;
    const std::string base = std::string(dir) + "/" + tag;
    if (std::FILE* ready = std::fopen((base + ".ready").c_str(), "w")) {
        std::fprintf(ready, "%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        std::fclose(ready);
    }
    waitUntil([&] { return fileExists(base + ".go"); }, 15000);
}

void startWatchdog(DWORD timeoutMs) {
    HANDLE thread = CreateThread(nullptr, 0, watchdog, reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(timeoutMs)), 0, nullptr);
    if (thread) CloseHandle(thread);
}

} // namespace velokrom::vkhost
