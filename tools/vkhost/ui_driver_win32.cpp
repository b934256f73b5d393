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
    HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    if (!ownVisibleDialog(window) || windowText(window) != *search->caption) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK collectStatic(HWND child, LPARAM param) {
    char className[16];
    if (GetClassNameA(child, className, sizeof className) > 0 && lstrcmpiA(className, "Static") == 0) {
        *reinterpret_cast<std::string*>(param) += windowText(child);
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

HWND findDialog(const std::string& caption) {
    DialogSearch search{&caption, nullptr};
    EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(kStep);
    }
    return true;
}

HWND waitForDialog(const std::string& caption, DWORD timeoutMs) {
    HWND found = nullptr;
    waitUntil([&] { return (found = findDialog(caption)) != nullptr; }, timeoutMs);
    return found;
}

std::string windowText(HWND window) {
    char text[1024];
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                             &length))
        return {};
    return std::string(text, length < sizeof text ? length : 0);
}

std::string dialogText(HWND dialog) {
    std::string text;
    EnumChildWindows(dialog, collectStatic, reinterpret_cast<LPARAM>(&text));
    return text;
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

bool answerAndWait(HWND dialog, int commandId) {
    postCommand(dialog, commandId);
    return waitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

void requestScreenshot(HWND window, const std::string& tag) {
    const char* dir = std::getenv("VELOKROM_SHOT_DIR");
    if (!dir || !*dir) return;
    RECT r;
    if (!GetWindowRect(window, &r)) return;
    const std::string base = std::string(dir) + "/" + tag;
    DeleteFileA((base + ".go").c_str());
    // Written aside and renamed, so that the helper never reads half a request.
    const std::string part = base + ".part";
    std::FILE* request = std::fopen(part.c_str(), "w");
    if (!request) return;
    std::fprintf(request, "%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (std::fclose(request) != 0 || !MoveFileExA(part.c_str(), (base + ".ready").c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    waitUntil([&] { return fileExists(base + ".go"); }, 15000);
}

void startWatchdog(DWORD timeoutMs) {
    HANDLE thread = CreateThread(nullptr, 0, watchdog, reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(timeoutMs)), 0, nullptr);
    if (thread) CloseHandle(thread);
}

} // namespace velokrom::vkhost
