// The Win32 operating-system services with the meanings the host side relies on: the first
// fixed drive, "already exists" apart from a real failure, a replace that keeps the old file
// when it fails, files that do not exist, a settings file under accented folder names, folder
// listings, started programs and the viewer the system has registered for a document type.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/settings_file.h"
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

void removeFile(const std::string& path) { DeleteFileW(widen(path).c_str()); }

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
    std::string reason;
    const std::string folder = tempFolder();
    services.createDirectory(folder);
    const std::string target = folder + "\\VELOKROM.BKG";
    EXPECT_EQ(services.openFile(target, FileMode::Read), nullptr);
    writeText(services, target, "old");

    // Dropped uncommitted: the old file stays and the temporary goes.
    {
        auto pending = services.createReplacement(target, reason);
        ASSERT_NE(pending, nullptr) << reason;
        pending->write("half", 4);
        EXPECT_EQ(readText(services, target), "old");
        EXPECT_EQ(othersIn(folder), 1) << "written beside the target";
        // A second replacement while the first one is written does not remove the first.
        EXPECT_NE(services.createReplacement(target, reason), nullptr);
        EXPECT_EQ(othersIn(folder), 1);
    }
    EXPECT_EQ(othersIn(folder), 0);

    // One left by a killed run is cleared by the next replacement.
    writeText(services, folder + "\\.VELOKROM.BKG.vktmp-1-0", "stale");
    auto pending = services.createReplacement(target, reason);
    ASSERT_NE(pending, nullptr) << reason;
    EXPECT_EQ(pending->write("new background", 14), 14u);
    EXPECT_TRUE(pending->commit());
    EXPECT_EQ(readText(services, target), "new background");
    EXPECT_EQ(othersIn(folder), 0);

    EXPECT_EQ(services.createReplacement(folder, reason), nullptr) << "a folder is no file";
    EXPECT_EQ(reason, "is a folder");
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

// Copies the stand-in reader, record_arguments.exe beside this program, to path.
void installRecorder(const std::string& path) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring recorder(self, length);
    recorder.resize(recorder.find_last_of(L'\\') + 1);
    recorder += L"record_arguments.exe";
    ASSERT_TRUE(CopyFileW(recorder.c_str(), widen(path).c_str(), FALSE)) << path;
}

// The arguments the stand-in in folder recorded, once it has run (nothing after 20 seconds).
std::vector<std::string> recordedArguments(PlatformServices& services, const std::string& folder) {
    const std::string path = folder + "\\arguments.txt";
    for (int i = 0; i < 400 && GetFileAttributesW(widen(path).c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
    std::vector<std::string> lines;
    auto file = services.openFile(path, FileMode::Read);
    if (!file) return lines;
    std::string text(4096, '\0');
    text.resize(file->read(text.data(), text.size()));
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

TEST(Win32PlatformServices, FoldersAreListedWithoutTheirDotEntries) {
    Win32PlatformServices services;
    const std::string folder = tempFolder() + "-list-Zo\xC3\xAB";
    services.createDirectory(folder);
    services.createDirectory(folder + "\\sub");
    writeText(services, folder + "\\Schl\xC3\xBCssel.vkp", "k");
    for (const std::string& spelling : {folder, folder + "\\"}) {
        std::vector<DirectoryEntry> entries = services.listDirectory(spelling);
        std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
        ASSERT_EQ(entries.size(), 2u) << spelling;
        EXPECT_EQ(entries[0].name, "Schl\xC3\xBCssel.vkp");
        EXPECT_FALSE(entries[0].isDirectory);
        EXPECT_EQ(entries[1].name, "sub");
        EXPECT_TRUE(entries[1].isDirectory);
    }
    EXPECT_TRUE(services.listDirectory(folder + "\\missing").empty());
    removeFile(folder + "\\Schl\xC3\xBCssel.vkp");
    RemoveDirectoryW(widen(folder + "\\sub").c_str());
    RemoveDirectoryW(widen(folder).c_str());
}

TEST(Win32PlatformServices, AStartedProgramGetsEachArgumentWhole) {
    Win32PlatformServices services;
    const std::string folder = tempFolder() + "-Acro Read Zo\xC3\xAB";
    services.createDirectory(folder);
    const std::string reader = folder + "\\acroread.exe";
    installRecorder(reader);
    const std::vector<std::string> arguments = {reader, "C:\\My Documents\\Zelvarn\\VeloPCPS.pdf",
                                                "say \"cheese\"", "trailing\\", "spaced \\", "", "plain"};
    ASSERT_TRUE(services.startProcess(reader, arguments));
    EXPECT_EQ(recordedArguments(services, folder), arguments);
    EXPECT_FALSE(services.startProcess(folder + "\\missing.exe", {folder + "\\missing.exe"}));
    removeFile(folder + "\\arguments.txt");
    removeFile(reader);
    RemoveDirectoryW(widen(folder).c_str());
}

TEST(Win32PlatformServices, DocumentsOpenWithTheRegisteredViewerOnly) {
    Win32PlatformServices services;
    const std::string folder = tempFolder() + "-viewer";
    services.createDirectory(folder);
    const std::string viewer = folder + "\\viewer.exe";
    installRecorder(viewer);
    const std::string document = folder + "\\Help Files\\VeloPCPS.vkhelp";
    services.createDirectory(folder + "\\Help Files");
    writeText(services, document, "%PDF");
    EXPECT_FALSE(services.openDocument(document)) << "nothing is registered for the type yet";

    // A document type as an installed viewer registers it.
    const std::wstring command = L"\"" + widen(viewer) + L"\" \"%1\"";
    HKEY key;
    ASSERT_EQ(RegSetValueW(HKEY_CLASSES_ROOT, L".vkhelp", REG_SZ, L"Velokrom.HelpTest", 0), ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, L"Velokrom.HelpTest\\shell\\open\\command", &key), ERROR_SUCCESS);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    EXPECT_TRUE(services.openDocument(document));
    const std::vector<std::string> seen = recordedArguments(services, folder);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], document);

    RegDeleteKeyW(HKEY_CLASSES_ROOT, L"Velokrom.HelpTest\\shell\\open\\command");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L"Velokrom.HelpTest\\shell\\open");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L"Velokrom.HelpTest\\shell");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L"Velokrom.HelpTest");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L".vkhelp");
    for (const std::string& file : {document, viewer, folder + "\\arguments.txt"}) removeFile(file);
    RemoveDirectoryW(widen(folder + "\\Help Files").c_str());
    RemoveDirectoryW(widen(folder).c_str());
}

TEST(Win32PlatformServices, ASettingsFileInAFolderWithAccentedNamesSavesAndLoads) {
    Win32PlatformServices services;
    const std::string user = tempFolder() + "-Zo\xC3\xAB";  // "Zoë"
    const std::string folder = user + "\\Schl\xC3\xBCssel";   // "Schlüssel"
    services.createDirectory(user);
    ASSERT_EQ(services.createDirectory(folder), CreateDirectoryResult::Created);
    const std::string path = folder + "\\studio.vkp";
    std::memset(&liveKeyModel(), 0, sizeof(KeyModel));
    liveKeyModel().keyCenter[1] = 40000.0f;
    liveKeyModel().outerSurface.fill(1234.5f);
    const KeyModelRecord saved = saveLiveKey();
    ASSERT_TRUE(writeSettingsFile(services, path));
    const std::wstring wide = widen(tempFolder()) + L"-Zo\u00eb\\Schl\u00fcssel\\studio.vkp";
    EXPECT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES) << "saved under its UTF-16 name";

    std::memset(&liveKeyModel(), 0, sizeof(KeyModel));
    KeyModelRecord loaded{};
    ASSERT_TRUE(readSettingsRecord(services, path, loaded));
    EXPECT_EQ(std::memcmp(loaded.bytes, saved.bytes, sizeof saved.bytes), 0);
    DeleteFileW(wide.c_str());
    RemoveDirectoryW(widen(folder).c_str());
    RemoveDirectoryW(widen(user).c_str());
}

TEST(Win32PlatformServices, TheWaitCursorGivesBackTheOneBefore) {
    Win32PlatformServices services;
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
