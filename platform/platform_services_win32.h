#pragma once
// The host side's operating-system services on Windows.
#include "platform_services.h"

namespace velokrom {

class Win32PlatformServices final : public PlatformServices {
public:
    void* allocateHostBlock(size_t size) override;
    std::vector<std::string> logicalDriveRoots() override;
    DriveType driveType(const std::string& root) override;
    std::string localAppDataFolder() override;
    char pathSeparator() override { return '\\'; }
    CreateDirectoryResult createDirectory(const std::string& path) override;
    std::unique_ptr<FileStream> openFile(const std::string& path, FileMode mode) override;
    std::unique_ptr<ReplacementStream> createReplacement(const std::string& target, std::string& reason) override;
    MessageAnswer messageBox(WindowHandle owner, MessageIcon icon, MessageButtons buttons,
                             const std::string& title, const std::string& text) override;
    void beep() override;
    ScreenSize screenSize() override;
    std::string loadString(int32_t id) override;
    std::vector<DirectoryEntry> listDirectory(const std::string& folder) override;
    bool startProcess(const std::string& program, const std::vector<std::string>& arguments) override;
    bool openDocument(const std::string& path) override;
    CursorHandle showWaitCursor() override;
    void restoreCursor(CursorHandle previous) override;
};

} // namespace velokrom
