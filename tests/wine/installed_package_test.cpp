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
#include "stand_in_programs.h"
#include "ui/command_ids.h"
#include "ui/start_dialog_ids.h"
#include "ui_driver_win32.h"

namespace velokrom::winetest {
namespace {

using namespace vkhost;

const std::string kManual = "C:\\Zelvarn\\VeloPCPS.pdf";
const std::string kReaderFolder = "C:\\Acroread";
const std::string kViewerFolder = "C:\\Viewer";
// The whole-drive search for a reader runs before the last answer: slow under Wine.
constexpr DWORD kWholeDriveSearch = 20000;

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
    unregisterViewer(".pdf");
    HostImage image = greenScreen(120, 80);
    const int16_t result = runFilter(image, true, [&] {
        HWND main = startWith(IDC_USE_GRAY_BACKGROUND);
        ASSERT_NE(main, nullptr);

        pressHelp(main);
        EXPECT_EQ(recordedArguments(kReaderFolder), (std::vector<std::string>{reader, kManual}));

        ASSERT_TRUE(removeStandIn(reader));
        registerViewer(".pdf", viewer);
        pressHelp(main);
        EXPECT_EQ(recordedArguments(kViewerFolder), (std::vector<std::string>{viewer, kManual}));

        unregisterViewer(".pdf");
        pressHelp(main);
        HWND box = waitForDialog("Velokrom Help", kWholeDriveSearch);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(dialogText(box).rfind("Unable to locate Adobe Acrobat file reader on your system.", 0), 0u);
        EXPECT_TRUE(answerAndWait(box, IDOK));
        closeWith(main, IDM_CANCEL);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(removeStandIn(viewer));
}

} // namespace
} // namespace velokrom::winetest
