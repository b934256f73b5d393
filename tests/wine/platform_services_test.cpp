// The Win32 operating-system services with the meanings the host side relies on: the first
// fixed drive, a replace that keeps the old file when it fails, files that do not exist, folders,
// a settings file and listings under accented names, and started programs. (A document opened
// with the viewer the system has registered is the installed package's test: Help opens the
// manual so when no reader is found.)
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/platform_services_win32.h"
#include "scratch_folder.h"
#include "stand_in_programs.h"

namespace velokrom {
namespace {

using namespace winetest;

// Each case works in a folder of its own, removed with what is in it when the case ends.
class Win32Services : public ::testing::Test {
protected:
    void writeText(const std::string& path, const std::string& text) {
        auto file = services.openFile(path, FileMode::Write);
        ASSERT_NE(file, nullptr) << path;
        ASSERT_EQ(file->write(text.data(), text.size()), text.size());
        ASSERT_TRUE(file->close());
    }
    std::string readText(const std::string& path) {
        auto file = services.openFile(path, FileMode::Read);
        if (!file) return "(missing)";
        char buffer[64];
        return std::string(buffer, file->read(buffer, sizeof buffer));
    }
    // The files in the folder but the target: what a replacement left behind.
    size_t othersThanTarget() const {
        std::set<std::string> names = scratch.names();
        names.erase("VELOKROM.BKG");
        return names.size();
    }

    testing::ScratchFolder scratch;
    const std::string folder = scratch.dir().string();
    Win32PlatformServices services;
};

TEST_F(Win32Services, DrivesAndTheLocalAppDataFolder) {
    const auto roots = services.logicalDriveRoots();
    EXPECT_NE(std::find(roots.begin(), roots.end(), "C:\\"), roots.end());
    EXPECT_EQ(services.driveType("C:\\"), DriveType::Fixed);
    const std::string appData = services.localAppDataFolder();
    ASSERT_FALSE(appData.empty());
    EXPECT_NE(appData.back(), '\\');
    EXPECT_NE(GetFileAttributesA(appData.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Win32Services, FilesAreReplacedWholeAndMissingOnesDoNotOpen) {
    std::string reason;
    const std::string target = folder + "\\VELOKROM.BKG";
    EXPECT_EQ(services.openFile(target, FileMode::Read), nullptr);
    writeText(target, "old");

    // Dropped uncommitted: the old file stays and the temporary goes.
    {
        auto pending = services.createReplacement(target, reason);
        ASSERT_NE(pending, nullptr) << reason;
        pending->write("half", 4);
        EXPECT_EQ(readText(target), "old");
        EXPECT_EQ(othersThanTarget(), 1u) << "written beside the target";
        // A second replacement while the first one is written does not remove the first.
        EXPECT_NE(services.createReplacement(target, reason), nullptr);
        EXPECT_EQ(othersThanTarget(), 1u);
    }
    EXPECT_EQ(othersThanTarget(), 0u);

    // One left by a killed run is cleared by the next replacement.
    writeText(folder + "\\.VELOKROM.BKG.vktmp-1-0", "stale");
    auto pending = services.createReplacement(target, reason);
    ASSERT_NE(pending, nullptr) << reason;
    EXPECT_EQ(pending->write("new background", 14), 14u);
    EXPECT_TRUE(pending->commit());
    EXPECT_EQ(readText(target), "new background");
    EXPECT_EQ(othersThanTarget(), 0u);

    EXPECT_EQ(services.createReplacement(folder, reason), nullptr) << "a folder is no file";
    EXPECT_EQ(reason, "is a folder");
}

TEST_F(Win32Services, AStartedProgramGetsEachArgumentWhole) {
    const std::string programs = folder + "\\Acro Read Zo\xC3\xAB";
    const std::string reader = programs + "\\acroread.exe";
    installStandIn(reader);
    const std::vector<std::string> arguments = {reader, "C:\\My Documents\\Zelvarn\\VeloPCPS.pdf",
                                                "say \"cheese\"", "trailing\\", "spaced \\", "", "plain"};
    ASSERT_TRUE(services.startProcess(reader, arguments));
    EXPECT_EQ(recordedArguments(programs), arguments);
    EXPECT_FALSE(services.startProcess(folder + "\\missing.exe", {folder + "\\missing.exe"}));
    EXPECT_TRUE(removeStandIn(reader));
}

// Folders made, a file written, folders listed (without their dot entries), all under accented
// names as under C:\Users\Zoë\Schlüssel. (A settings file saved and loaded there through the
// file dialogs is main_window_test.cpp's.)
TEST_F(Win32Services, FoldersFilesAndListingsKeepAccentedNames) {
    const std::string user = folder + "\\Zo\xC3\xAB";  // "Zoë" in UTF-8
    const std::string keys = user + "\\Schl\xC3\xBCssel";  // "Schlüssel"
    ASSERT_EQ(services.createDirectory(user), CreateDirectoryResult::Created);
    EXPECT_EQ(services.createDirectory(user), CreateDirectoryResult::AlreadyExists);
    ASSERT_EQ(services.createDirectory(keys), CreateDirectoryResult::Created);
    EXPECT_EQ(services.createDirectory(folder + "\\no\\such\\parent"), CreateDirectoryResult::Failed);
    writeText(keys + "\\studio.vkp", "key");
    for (const std::string& spelling : {user, user + "\\"}) {
        const std::vector<DirectoryEntry> entries = services.listDirectory(spelling);
        ASSERT_EQ(entries.size(), 1u) << spelling;
        EXPECT_EQ(entries[0].name, "Schl\xC3\xBCssel");
        EXPECT_TRUE(entries[0].isDirectory);
    }
    const std::vector<DirectoryEntry> files = services.listDirectory(keys);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].name, "studio.vkp");
    EXPECT_FALSE(files[0].isDirectory);
    EXPECT_TRUE(services.listDirectory(user + "\\missing").empty());
}

TEST_F(Win32Services, TheWaitCursorGivesBackTheOneBefore) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(arrow);
    const CursorHandle previous = services.showWaitCursor();
    EXPECT_EQ(previous, arrow);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    services.restoreCursor(previous);
    EXPECT_EQ(GetCursor(), arrow);
}

} // namespace
} // namespace velokrom
