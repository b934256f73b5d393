#pragma once
// A scripted stand-in for the operating system: drives and folders that the test sets up, an
// in-memory file system with injectable failures, canned message-box answers, and a record of
// every message shown, folder listed, document opened and process started.
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform_services.h"

namespace velokrom::testing {

// Where the plug-in keeps its background file on the fake machine: its first choice, a folder
// at the root of the first fixed drive, C:.
inline const std::string kBackgroundFolder = "C:\\ZELVARN";
inline const std::string kBackgroundPath = kBackgroundFolder + "\\VELOKROM.BKG";

struct ShownMessage {
    WindowHandle owner;
    MessageIcon icon;
    MessageButtons buttons;
    std::string title;
    std::string text;
};

class FakePlatform : public PlatformServices {
public:
    FakePlatform();
    ~FakePlatform() override;

    std::vector<std::pair<std::string, DriveType>> drives;  // in the system's order
    std::set<std::string> directories;
    std::set<std::string> deniedDirectories;  // creating these fails
    std::map<std::string, std::vector<uint8_t>> files;
    long writeBudget = -1;    // bytes that writes may still store; negative: unlimited
    bool failReplace = false;
    int hostBlocksLeft = -1;  // host blocks that can still be had; negative: unlimited
    std::deque<MessageAnswer> yesNoAnswers;  // empty: Yes

    std::set<std::string> linkedDirectories;  // folders of `directories` that are links to folders
    bool documentViewer = false;              // a viewer is registered: openDocument succeeds
    bool failStartProcess = false;

    std::vector<ShownMessage> messages;
    int beeps = 0;
    // "list FOLDER", "open PATH" and "start PROGRAM ARGUMENTS...", in the order they happened.
    std::vector<std::string> calls;
    int waitCursorsShown = 0;
    int waitCursorsRestored = 0;

    void* allocateHostBlock(size_t size) override;
    std::vector<std::string> logicalDriveRoots() override;
    DriveType driveType(const std::string& root) override;
    std::string localAppDataFolder() override { return "C:\\Users\\user\\AppData\\Local"; }
    char pathSeparator() override { return '\\'; }
    CreateDirectoryResult createDirectory(const std::string& path) override;
    std::unique_ptr<FileStream> openFile(const std::string& path, FileMode mode) override;
    std::unique_ptr<ReplacementStream> createReplacement(const std::string& target, std::string& reason) override;
    MessageAnswer messageBox(WindowHandle owner, MessageIcon icon, MessageButtons buttons, const std::string& title,
                             const std::string& text) override;
    void beep() override { ++beeps; }
    ScreenSize screenSize() override { return {800, 600}; }
    std::string loadString(int32_t id) override;
    std::vector<DirectoryEntry> listDirectory(const std::string& folder) override;
    bool startProcess(const std::string& program, const std::vector<std::string>& arguments) override;
    bool openDocument(const std::string& path) override;
    CursorHandle showWaitCursor() override;
    void restoreCursor(CursorHandle previous) override;

    // The texts of the messages shown, in order.
    std::vector<std::string> messageTexts() const;

private:
    std::vector<void*> hostBlocks_;
};

} // namespace velokrom::testing
