// The plug-in as a user installs it from the release package: release_package_test.sh unpacks the
// zip into a fresh Wine prefix (the library in an editor's plug-in folder, the manual in
// C:\Zelvarn, no drive but C:) and runs this program there. Help, pressed with the mouse on the
// toolbar, starts a reader installed under its usual name with the manual's path; without one,
// the viewer registered for PDF files; with neither, it says so.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "person_input_win32.h"
#include "plugin_under_wine.h"
#include "scratch_folder.h"
#include "ui/command_ids.h"
#include "ui_driver_win32.h"

namespace velokrom::winetest {
namespace {

using namespace vkhost;

const std::string kManual = "C:\\Zelvarn\\VeloPCPS.pdf";
const std::string kReaderFolder = "C:\\Acroread";
const std::string kViewerFolder = "C:\\Viewer";
// The whole-drive search for a reader runs before the last answer: slow under Wine.
constexpr DWORD kWholeDriveSearch = 20000;

// What the stand-in reader (record_arguments.exe, beside this program) wrote: its arguments,
// one per line.
std::string recordedArguments(const std::string& folder) {
    const std::string path = folder + "\\arguments.txt";
    if (!waitUntil([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000)) return {};
    const std::vector<uint8_t> bytes = testing::ScratchFolder::readBytes(path);
    DeleteFileA(path.c_str());
    return std::string(bytes.begin(), bytes.end());
}

// A stand-in may still be running after it wrote its arguments: it goes once it has ended.
bool removeStandIn(const std::string& path) {
    return waitUntil([&] { return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND; });
}

void installStandIn(const std::string& path) {
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string recorder(self, length);
    recorder.replace(recorder.find_last_of('\\') + 1, std::string::npos, "record_arguments.exe");
    CreateDirectoryA(path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(recorder.c_str(), path.c_str(), FALSE)) << path;
}

// PDF files opened by the viewer at path, as an installed viewer registers itself.
void registerPdfViewer(const std::string& path) {
    HKEY key;
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, ".pdf", REG_SZ, "Velokrom.TestViewer", 0), ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, "Velokrom.TestViewer\\shell\\open\\command", &key), ERROR_SUCCESS);
    const std::string command = "\"" + path + "\" \"%1\"";
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    RegCloseKey(key);
}

void unregisterPdfViewer() {
    for (const char* key : {"Velokrom.TestViewer\\shell\\open\\command", "Velokrom.TestViewer\\shell\\open",
                            "Velokrom.TestViewer\\shell", "Velokrom.TestViewer", ".pdf"})
        RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
}

class InstalledPackage : public PluginUnderWine {
protected:
    // A click on the toolbar's Help button of the main window.
    static void pressHelp(HWND main) {
        HWND toolbar = FindWindowExA(main, nullptr, TOOLBARCLASSNAMEA, nullptr);
        ASSERT_NE(toolbar, nullptr);
        RECT button{};
        ASSERT_TRUE(SendMessageA(toolbar, TB_GETRECT, IDM_HELP, reinterpret_cast<LPARAM>(&button)));
        POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
        ClientToScreen(toolbar, &centre);
        vkhost::sendMouse(centre, 0);
        vkhost::sendMouse(centre, MOUSEEVENTF_LEFTDOWN);
        vkhost::sendMouse(centre, MOUSEEVENTF_LEFTUP);
    }
};

TEST_F(InstalledPackage, HelpStartsTheReaderElseTheRegisteredViewerElseSaysThereIsNone) {
    ASSERT_NE(GetFileAttributesA(kManual.c_str()), INVALID_FILE_ATTRIBUTES) << "the manual is installed";
    const std::string reader = kReaderFolder + "\\acroread.exe";
    const std::string viewer = kViewerFolder + "\\viewer.exe";
    installStandIn(reader);
    installStandIn(viewer);
    unregisterPdfViewer();
    HostImage image = greenScreen(120, 80);
    const int16_t result = runFilter(image, true, [&] {
        HWND main = startOverGray();
        ASSERT_NE(main, nullptr);

        pressHelp(main);
        EXPECT_EQ(recordedArguments(kReaderFolder), reader + "\n" + kManual + "\n");

        ASSERT_TRUE(removeStandIn(reader));
        registerPdfViewer(viewer);
        pressHelp(main);
        EXPECT_EQ(recordedArguments(kViewerFolder), viewer + "\n" + kManual + "\n");

        unregisterPdfViewer();
        pressHelp(main);
        HWND box = waitForDialog("Velokrom Help", kWholeDriveSearch);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(dialogText(box).rfind("Unable to locate Adobe Acrobat file reader on your system.", 0), 0u);
        EXPECT_TRUE(answerAndWait(box, IDOK));
        PostMessageA(main, WM_COMMAND, IDM_CANCEL, 0);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(main); }));
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(removeStandIn(viewer));
}

} // namespace
} // namespace velokrom::winetest
