#pragma once
// The OS services on POSIX systems, for the native emulated host. There are no drive letters:
// one directory plays the first fixed drive's root ("/" unless told otherwise), and the local
// application-data folder is $XDG_DATA_HOME or ~/.local/share. Message boxes are written to the
// standard error stream and answered with a fixed answer. Documents are handed to xdg-open,
// which finds the registered viewer itself; there is no cursor to change.
#include <string>

#include "platform_services.h"

namespace velokrom {

class PosixPlatformServices : public PlatformServices {
public:
    explicit PosixPlatformServices(std::string driveRoot = "/", MessageAnswer yesNoAnswer = MessageAnswer::No);
    // The host blocks live as long as these services: the length of the process, for the filter.
    ~PosixPlatformServices() override;
    PosixPlatformServices(const PosixPlatformServices&) = delete;
    PosixPlatformServices& operator=(const PosixPlatformServices&) = delete;

    void* allocateHostBlock(size_t size) override;
    std::vector<std::string> logicalDriveRoots() override;
    DriveType driveType(const std::string& root) override;
    std::string localAppDataFolder() override;
    char pathSeparator() override { return '/'; }
    CreateDirectoryResult createDirectory(const std::string& path) override;
    std::unique_ptr<FileStream> openFile(const std::string& path, FileMode mode) override;
    std::unique_ptr<ReplacementStream> createReplacement(const std::string& target, std::string& reason) override;
    MessageAnswer messageBox(WindowHandle owner, MessageIcon icon, MessageButtons buttons, const std::string& title,
                             const std::string& text) override;
    void beep() override {}
    ScreenSize screenSize() override { return {1024, 768}; }
    std::string loadString(int32_t id) override;
    std::vector<DirectoryEntry> listDirectory(const std::string& folder) override;
    bool startProcess(const std::string& program, const std::vector<std::string>& arguments) override;
    bool openDocument(const std::string& path) override;
    CursorHandle showWaitCursor() override { return nullptr; }
    void restoreCursor(CursorHandle) override {}

private:
    std::string driveRoot_;
    MessageAnswer yesNoAnswer_;
    std::vector<void*> hostBlocks_;
};

} // namespace velokrom
