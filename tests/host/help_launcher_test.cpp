// The Help command over a scripted file system: where the manual and the reader are looked for
// and in which order, what the user is told, and a real search on this machine's disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "fake_platform.h"
#include "ui/help_launcher.h"
#include "ui/ui_strings.h"

#ifndef _WIN32
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/platform_services_posix.h"
#include "scratch_folder.h"
#endif

namespace velokrom::testing {
namespace {

const WindowHandle kOwner = reinterpret_cast<WindowHandle>(0x51);
const std::string kManual = "E:\\Zelvarn\\VeloPCPS.pdf";

// A file with its folders.
void addFile(FakePlatform& platform, const std::string& path) {
    for (size_t cut = path.find('\\', 3); cut != std::string::npos; cut = path.find('\\', cut + 1))
        platform.directories.insert(path.substr(0, cut));
    platform.files[path] = {'%'};
}

// The program and arguments started, or "" when nothing was.
std::string started(const FakePlatform& platform) {
    for (const std::string& call : platform.calls)
        if (call.rfind("start ", 0) == 0) return call.substr(6);
    return "";
}

// Position of the first such call; calls.size() when there is none.
size_t firstCall(const FakePlatform& platform, const std::string& call) {
    return static_cast<size_t>(std::find(platform.calls.begin(), platform.calls.end(), call) - platform.calls.begin());
}

bool listed(const FakePlatform& platform, const std::string& folder) {
    return std::count(platform.calls.begin(), platform.calls.end(), "list " + folder) > 0;
}

// What Help does for an arrangement of files on two fixed drives, a network drive, a floppy and a
// CD-ROM (or other drives): the reader it starts with the manual, the viewer it asks, the one
// message it shows, and whether it searched a whole drive (listed a root). The floppy, the
// CD-ROM and drives of unknown type are never looked at.
TEST(HelpLauncher, ReaderViewerOrMessageForEachArrangement) {
    using Drives = std::vector<std::pair<std::string, DriveType>>;
    struct Case {
        const char* what;
        std::vector<std::string> files;
        std::string reader;     // started with the manual; empty: none
        int32_t message;        // shown; 0: none
        bool wholeDrive;        // a drive searched whole
        bool viewer = false;    // one is registered
        bool failStart = false;
        Drives drives = {{"A:\\", DriveType::Removable}, {"C:\\", DriveType::Fixed}, {"D:\\", DriveType::CdRom},
                         {"E:\\", DriveType::Fixed}, {"N:\\", DriveType::Remote}};
    };
    const std::string usual = "C:\\Acroread\\acroread.exe", deep = "N:\\Tools\\pdf\\bin\\acroread.exe";
    const Case cases[] = {
        // The readers' usual places, in their order, drive by drive.
        {"first usual place", {kManual, usual, "C:\\Acrobat3\\Reader\\acroRD32.exe"}, usual, 0, false},
        {"second", {kManual, "C:\\Acrobat3\\Reader\\acroRD32.exe", "C:\\Zelvarn\\Acroread\\acroRD32.exe"},
         "C:\\Acrobat3\\Reader\\acroRD32.exe", 0, false},
        {"third", {kManual, "C:\\Zelvarn\\Acroread\\acroRD32.exe"}, "C:\\Zelvarn\\Acroread\\acroRD32.exe", 0, false},
        {"drive before place", {kManual, "N:\\Acroread\\acroread.exe", "C:\\Zelvarn\\Acroread\\acroRD32.exe"},
         "C:\\Zelvarn\\Acroread\\acroRD32.exe", 0, false},
        {"network drive", {kManual, "N:\\Acrobat3\\Reader\\AcroRd32.exe"}, "N:\\Acrobat3\\Reader\\AcroRd32.exe", 0, false},
        // No reader in a usual place: the viewer, and only without one a search of the drives.
        {"viewer before the search", {kManual, deep}, "", 0, false, true},
        {"deep reader found", {kManual, deep}, deep, 0, true},
        // Each failure ends in its message.
        {"no manual", {usual, "C:\\VeloPCPS.pdf", "C:\\Docs\\Zelvarn\\VeloPCPS.pdf"}, "", IDS_HELP_NO_MANUAL, false},
        {"no drive list", {kManual, usual}, "", IDS_HELP_NO_MANUAL, false, false, false, Drives{}},
        {"only on skipped drives",
         {"A:\\Zelvarn\\VeloPCPS.pdf", "D:\\Zelvarn\\VeloPCPS.pdf", "U:\\Zelvarn\\VeloPCPS.pdf"}, "",
         IDS_HELP_NO_MANUAL, false, false, false,
         Drives{{"A:\\", DriveType::Removable}, {"D:\\", DriveType::CdRom}, {"U:\\", DriveType::Unknown},
                {"C:\\", DriveType::NoRootDirectory}}},
        {"no reader, no viewer", {kManual, "D:\\Acroread\\acroread.exe", "C:\\readers\\acroread.com"}, "",
         IDS_HELP_NO_READER, true},
        {"reader does not start", {kManual, usual}, usual, IDS_HELP_READER_FAILED, false, false, true},
    };
    for (const Case& c : cases) {
        FakePlatform platform;
        platform.drives = c.drives;
        platform.directories = {"A:", "C:", "D:", "E:", "N:"};
        for (const std::string& file : c.files) addFile(platform, file);
        platform.documentViewer = c.viewer;
        platform.failStartProcess = c.failStart;
        launchHelp(platform, kOwner);
        EXPECT_EQ(started(platform), c.reader.empty() ? "" : c.reader + " " + c.reader + " " + kManual) << c.what;
        EXPECT_EQ(std::any_of(platform.drives.begin(), platform.drives.end(),
                              [&](const auto& drive) { return listed(platform, drive.first); }),
                  c.wholeDrive) << c.what;
        if (c.wholeDrive) {
            EXPECT_LT(firstCall(platform, "open " + kManual), firstCall(platform, "list C:\\")) << c.what;
            for (const char* root : {"C:\\", "E:\\", "N:\\"}) EXPECT_TRUE(listed(platform, root)) << c.what << root;
        }
        if (c.viewer) {
            EXPECT_EQ(platform.calls.back(), "open " + kManual) << c.what;
        }
        for (const char* skipped : {"A:", "D:", "U:"})
            for (const std::string& call : platform.calls) EXPECT_EQ(call.find(skipped), std::string::npos) << c.what;
        EXPECT_EQ(platform.waitCursorsRestored, platform.waitCursorsShown) << c.what;
        if (!c.message) {
            EXPECT_TRUE(platform.messages.empty()) << c.what;
            EXPECT_GT(platform.waitCursorsShown, 0) << c.what;
            continue;
        }
        ASSERT_EQ(platform.messages.size(), 1u) << c.what;
        const ShownMessage& shown = platform.messages[0];
        EXPECT_EQ(std::tie(shown.text, shown.title, shown.owner, shown.icon, shown.buttons),
                  std::make_tuple(std::string(uiString(c.message)), std::string("Velokrom Help"), kOwner,
                                  MessageIcon::Information, MessageButtons::Ok)) << c.what;
    }
}

TEST(HelpLauncher, FileSearchRules) {
    const std::string deep(242, 'd');  // "C:\\" + deep: a folder path of 245 characters
    struct Case {
        const char* what;
        std::vector<std::string> files;
        std::string found;        // empty: not found
        std::string neverListed;  // a folder the search must not enter
        // The manual in one folder, or (by default) the reader anywhere on C:.
        std::string root = "C:\\";
        std::string name = "acroread.exe";
        bool recursive = true;
        std::vector<std::string> folders = {};  // besides the files' own
    };
    const std::string manual = "VeloPCPS.pdf", zelvarn = "C:\\Zelvarn";
    const Case cases[] = {
        {"own entries before subfolders", {"C:\\A\\B\\acroread.exe", "C:\\A\\acroread.exe"}, "C:\\A\\acroread.exe", ""},
        {"subfolders in the system's order", {"C:\\N\\acroread.exe", "C:\\M\\x\\acroread.exe"}, "C:\\M\\x\\acroread.exe",
         "C:\\N"},
        {"dot folders are skipped", {"C:\\.cache\\acroread.exe"}, "", "C:\\.cache"},
        {"links to folders are skipped", {"C:\\Loop\\acroread.exe"}, "", "C:\\Loop"},
        {"a folder is never the file", {"C:\\acroread.exe\\acroread.exe"}, "C:\\acroread.exe\\acroread.exe", ""},
        {"a folder named like the manual", {}, "", "", zelvarn, manual, false, {zelvarn, "C:\\Zelvarn\\VeloPCPS.pdf"}},
        {"case is ignored, the disk's spelling kept", {"C:\\Zelvarn\\veloPCPS.PDF"}, "C:\\Zelvarn\\veloPCPS.PDF", "",
         zelvarn, manual, false},
        {"one folder only", {"C:\\Zelvarn\\old\\VeloPCPS.pdf"}, "", "C:\\Zelvarn\\old", zelvarn, manual, false},
        {"missing root", {}, "", "", zelvarn, manual, false},
        {"257 characters fit", {"C:\\" + deep + "\\acroread.exe"}, "C:\\" + deep + "\\acroread.exe", ""},
        {"258 do not, and the search goes on",
         {"C:\\" + deep + "e\\acroread.exe", "C:\\" + deep + "e\\x\\acroread.exe", "C:\\z\\acroread.exe"},
         "C:\\z\\acroread.exe", "C:\\" + deep + "e\\x"},
    };
    for (const Case& c : cases) {
        FakePlatform platform;
        platform.directories = {"C:"};
        platform.linkedDirectories = {"C:\\Loop"};
        for (const std::string& file : c.files) addFile(platform, file);
        for (const std::string& folder : c.folders) platform.directories.insert(folder);
        std::string result = "(unchanged)";
        const bool found = findFile(platform, c.root, c.name, c.recursive, result, 260);
        EXPECT_EQ(found, !c.found.empty()) << c.what;
        EXPECT_EQ(result, found ? c.found : "(unchanged)") << c.what;
        EXPECT_FALSE(!c.neverListed.empty() && listed(platform, c.neverListed)) << c.what;
        EXPECT_EQ(platform.waitCursorsRestored, platform.waitCursorsShown);
    }
}

#ifndef _WIN32
// The native services on a real folder tree: links are not followed, the reader is started with
// the manual's path, and the process's current directory is the same before and after.
TEST(HelpLauncherOnDisk, FindsAndStartsTheReaderWithoutChangingTheCurrentDirectory) {
    namespace fs = std::filesystem;
    const ScratchFolder scratch;
    const fs::path& root = scratch.dir();
    for (const char* folder : {"Zelvarn", "Acroread", "tree/inner"}) fs::create_directories(root / folder);
    std::ofstream(root / "Zelvarn" / "VeloPCPS.pdf") << "%PDF-1.4\n";
    std::ofstream(root / "tree" / "inner" / "acroRD32.exe") << "#!/bin/sh\n";
    fs::create_directory_symlink(root, root / "tree" / "loop");
    const fs::path reader = root / "Acroread" / "acroread.exe";
    std::ofstream(reader) << "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > \"$(dirname \"$0\")/arguments.tmp\"\n"
                             "mv \"$(dirname \"$0\")/arguments.tmp\" \"$(dirname \"$0\")/arguments.txt\"\n";
    fs::permissions(reader, fs::perms::owner_all);

    const fs::path before = fs::current_path();
    PosixPlatformServices platform(root.string() + "/");
    std::string found;
    EXPECT_TRUE(findFile(platform, root.string(), "ACRORD32.EXE", true, found, 260));
    EXPECT_EQ(found, (root / "tree" / "inner" / "acroRD32.exe").string());
    EXPECT_FALSE(findFile(platform, (root / "tree").string(), "VeloPCPS.pdf", true, found, 260)) << "not via loop";

    launchHelp(platform, nullptr);
    EXPECT_EQ(fs::current_path(), before);
    const fs::path arguments = root / "Acroread" / "arguments.txt";
    for (int i = 0; i < 200 && !fs::exists(arguments); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(25));
    const std::vector<uint8_t> lines = ScratchFolder::readBytes(arguments);
    EXPECT_EQ(std::string(lines.begin(), lines.end()),
              reader.string() + "\n" + (root / "Zelvarn" / "VeloPCPS.pdf").string() + "\n");
    EXPECT_FALSE(platform.startProcess((root / "missing").string(), {"missing"}));
}
#endif

} // namespace
} // namespace velokrom::testing
