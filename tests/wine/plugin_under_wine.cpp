#include "plugin_under_wine.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <thread>

#include "scratch_folder.h"
#include "ui/command_ids.h"
#include "ui/start_dialog_ids.h"
#include "ui_driver_win32.h"

namespace velokrom::winetest {
namespace {

constexpr char kCaption[] = "Velokrom";

bool hasAnswerButton(HWND box) {
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO})
        if (GetDlgItem(box, id)) return true;
    return false;
}

// Our start dialog (it has its OK button) or a message box (it has a standard answer button);
// null after the time limit. Each is known by what it has, not by what the other lacks: a start
// dialog being destroyed has lost its buttons for a moment before it goes.
HWND waitForDialog(bool startDialog) {
    HWND found = nullptr;
    const bool seen = vkhost::waitUntil([&] {
        found = vkhost::findDialog(kCaption);
        return found && (startDialog ? GetDlgItem(found, IDC_START_OK) != nullptr : hasAnswerButton(found));
    });
    return seen ? found : nullptr;
}

} // namespace

void PluginUnderWine::SetUp() {
    // Wine hands a pipe to a fully buffered stdout; a crash would lose the report.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    vkhost::startWatchdog(watchdogMs_);
    const char* path = std::getenv("VELOKROM_PLUGIN");
    ASSERT_NE(path, nullptr) << "VELOKROM_PLUGIN names the plug-in library to test";
    std::string error;
    library = vkhost::PluginLibrary::load(path, error);
    ASSERT_NE(library, nullptr) << error;
    ASSERT_NE(window.handle(), nullptr);
    host = std::make_unique<vkhost::EmulatedHost>(library->entry());
}

vkhost::HostOptions PluginUnderWine::options() const {
    vkhost::HostOptions o;
    o.hostWindow = reinterpret_cast<intptr_t>(window.handle());
    o.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    o.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    return o;
}

void PluginUnderWine::withUser(const std::function<void()>& call, const std::function<void()>& user) {
    std::atomic<bool> ended{false};
    std::thread person([&] {
        user();
        // Give the filter time to close what the person answered, then close what is left.
        if (vkhost::waitUntil([&] { return ended.load(); }, 3000)) return;
        while (!ended) {
            if (HWND main = findMainWindow()) {
                ADD_FAILURE() << "the main window was left open";
                PostMessageA(main, WM_COMMAND, IDM_CANCEL, 0);
            }
            if (HWND left = vkhost::findDialog(kCaption)) {
                ADD_FAILURE() << "a window was left open: \"" << vkhost::dialogText(left) << "\"";
                vkhost::postCommand(left, GetDlgItem(left, IDC_START_CANCEL) ? IDC_START_CANCEL
                                          : GetDlgItem(left, IDNO)           ? IDNO
                                                                             : IDOK);
            }
            Sleep(200);
        }
    });
    call();
    ended = true;
    person.join();
}

HWND PluginUnderWine::waitForStartDialog() { return waitForDialog(true); }

namespace {

BOOL CALLBACK keepMainWindow(HWND window, LPARAM result) {
    char name[32] = {};
    DWORD process = 0;
    GetClassNameA(window, name, sizeof name);
    GetWindowThreadProcessId(window, &process);
    if (lstrcmpA(name, MAIN_WINDOW_CLASS) != 0 || process != GetCurrentProcessId() || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

} // namespace

HWND PluginUnderWine::findMainWindow() {
    HWND found = nullptr;
    EnumWindows(keepMainWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND PluginUnderWine::waitForMainWindow() {
    HWND found = nullptr;
    vkhost::waitUntil([&] { return (found = findMainWindow()) != nullptr; });
    return found;
}

void PluginUnderWine::choose(HWND startDialog, int32_t choiceButton) {
    vkhost::pressButton(startDialog, choiceButton);
    vkhost::pressButton(startDialog, IDC_START_OK);
}

HWND PluginUnderWine::startWith(int32_t backgroundButton) {
    HWND dialog = waitForStartDialog();
    if (!dialog) return nullptr;
    choose(dialog, backgroundButton);
    return waitForMainWindow();
}

void PluginUnderWine::closeWith(HWND main, int32_t command, DWORD timeoutMs) {
    PostMessageA(main, WM_COMMAND, static_cast<WPARAM>(command), 0);
    EXPECT_TRUE(vkhost::waitUntil([&] { return !IsWindow(main); }, timeoutMs)) << "the main window ended";
}

HWND PluginUnderWine::waitForMessageBox() { return waitForDialog(false); }

int16_t PluginUnderWine::runFilter(vkhost::HostImage& image, bool withDialog, const std::function<void()>& user) {
    int16_t result = 0;
    withUser([&] { result = host->runFilter(image, options(), withDialog); }, user);
    return result;
}

std::string PluginUnderWine::backgroundFile() {
    char roots[1024];
    const DWORD length = GetLogicalDriveStringsA(sizeof roots, roots);
    for (const char* root = roots; length > 0 && *root; root += lstrlenA(root) + 1)
        if (GetDriveTypeA(root) == DRIVE_FIXED) return std::string(root) + "ZELVARN\\VELOKROM.BKG";
    return {};
}

void PluginUnderWine::removeBackgroundFile() { DeleteFileA(backgroundFile().c_str()); }

std::vector<uint8_t> PluginUnderWine::backgroundFileBytes() { return testing::ScratchFolder::readBytes(backgroundFile()); }

void PluginUnderWine::storeBackground(const vkhost::HostImage& picture) {
    const std::string path = backgroundFile();
    CreateDirectoryA(path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
    testing::ScratchFolder::writeBytes(path, testing::backgroundFile(picture, wholeOf(picture)));
}

} // namespace velokrom::winetest
