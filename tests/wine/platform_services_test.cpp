// The Win32 operating-system services with the meanings the host side relies on: the first
// fixed drive, "already exists" apart from a real failure, a replace that keeps the old file
// when it fails, and files that do not exist.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/platform_services_win32.h"
#include "platform/utf8_win32.h"

namespace velokrom {
namespace {

std::string tempFolder() {
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    return std::string(path) + "velokrom-services-" + std::to_string(GetCurrentProcessId());
}

void writeText(PlatformServices& services, const std::string& path, const std::string& text) {
    auto file = services.openFile(path, FileMode::Write);
    ASSERT_NE(file, nullptr) << path;
    ASSERT_EQ(file->write(text.data(), text.size()), text.size());
    ASSERT_TRUE(file->close());
}

std::string readText(PlatformServices& services, const std::string& path) {
    auto file = services.openFile(path, FileMode::Read);
    if (!file) return "(missing)";
    char buffer[64];
    return std::string(buffer, file->read(buffer, sizeof buffer));
}

TEST(Win32PlatformServices, DrivesFoldersAndTheScreen) {
    Win32PlatformServices services;
    const auto roots = services.logicalDriveRoots();
    ASSERT_FALSE(roots.empty());
    EXPECT_NE(std::find(roots.begin(), roots.end(), "C:\\"), roots.end());
    EXPECT_EQ(services.driveType("C:\\"), DriveType::Fixed);
    EXPECT_EQ(services.pathSeparator(), '\\');
    const std::string appData = services.localAppDataFolder();
    EXPECT_FALSE(appData.empty());
    EXPECT_NE(appData.back(), '\\');
    EXPECT_NE(GetFileAttributesA(appData.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(services.screenSize().width, GetSystemMetrics(SM_CXSCREEN));
}

TEST(Win32PlatformServices, CreatingAFolderTellsAlreadyExistsFromFailure) {
    Win32PlatformServices services;
    const std::string folder = tempFolder();
    EXPECT_EQ(services.createDirectory(folder), CreateDirectoryResult::Created);
    EXPECT_EQ(services.createDirectory(folder), CreateDirectoryResult::AlreadyExists);
    EXPECT_EQ(services.createDirectory(folder + "\\no\\such\\parent"), CreateDirectoryResult::Failed);
    RemoveDirectoryA(folder.c_str());
}

// Every file in folder but the target: what a replacement left behind.
int othersIn(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    int count = 0;
    if (search == INVALID_HANDLE_VALUE) return count;
    do
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && std::string(found.cFileName) != "VELOKROM.BKG") ++count;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

TEST(Win32PlatformServices, FilesAreReplacedWholeAndMissingOnesDoNotOpen) {
    Win32PlatformServices services;
    const std::string folder = tempFolder();
    services.createDirectory(folder);
    const std::string target = folder + "\\VELOKROM.BKG";
    EXPECT_EQ(services.openFile(target, FileMode::Read), nullptr);
    writeText(services, target, "old");

    // Dropped uncommitted: the old file stays and the temporary goes.
    {
        auto pending = services.createReplacement(target);
        ASSERT_NE(pending, nullptr);
        pending->write("half", 4);
        EXPECT_EQ(readText(services, target), "old");
        EXPECT_EQ(othersIn(folder), 1) << "written beside the target";
        // A second replacement while the first one is written does not remove the first.
        EXPECT_NE(services.createReplacement(target), nullptr);
        EXPECT_EQ(othersIn(folder), 1);
    }
    EXPECT_EQ(othersIn(folder), 0);

    // One left by a killed run is cleared by the next replacement.
    writeText(services, folder + "\\.VELOKROM.BKG.vktmp-1-0", "stale");
    auto pending = services.createReplacement(target);
    ASSERT_NE(pending, nullptr);
    EXPECT_EQ(pending->write("new background", 14), 14u);
    EXPECT_TRUE(pending->commit());
    EXPECT_EQ(readText(services, target), "new background");
    EXPECT_EQ(othersIn(folder), 0);

    EXPECT_EQ(services.createReplacement(folder), nullptr) << "a folder is no file";
    DeleteFileA(target.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST(Win32PlatformServices, TextsOutsideTheAsciiRangeSurviveThePaths) {
    Win32PlatformServices services;
    const std::string folder = tempFolder() + "-\xC3\xA9t\xC3\xA9";  // "-été" in UTF-8
    EXPECT_EQ(services.createDirectory(folder), CreateDirectoryResult::Created);
    writeText(services, folder + "\\f.bin", "x");
    EXPECT_EQ(readText(services, folder + "\\f.bin"), "x");
    EXPECT_TRUE(DeleteFileW((widen(folder) + L"\\f.bin").c_str()));
    EXPECT_NE(GetFileAttributesW((widen(tempFolder()) + L"-\u00e9t\u00e9").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the folder has the accented name";
    RemoveDirectoryW(widen(folder).c_str());
}

} // namespace
} // namespace velokrom
