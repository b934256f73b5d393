#include "platform_services_posix.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "replacement_stream.h"
#include "stdio_file_stream.h"
#include "string_table.h"

namespace velokrom {

PosixPlatformServices::PosixPlatformServices(std::string driveRoot, MessageAnswer yesNoAnswer)
    : driveRoot_(std::move(driveRoot)), yesNoAnswer_(yesNoAnswer) {}

PosixPlatformServices::~PosixPlatformServices() {
    for (void* block : hostBlocks_) std::free(block);
}

void* PosixPlatformServices::allocateHostBlock(size_t size) {
    void* block = std::calloc(size == 0 ? 1 : size, 1);
    if (block) hostBlocks_.push_back(block);
    return block;
}

std::vector<std::string> PosixPlatformServices::logicalDriveRoots() { return {driveRoot_}; }

DriveType PosixPlatformServices::driveType(const std::string& root) {
    struct stat info;
    return stat(root.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? DriveType::Fixed : DriveType::NoRootDirectory;
}

std::string PosixPlatformServices::localAppDataFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return data;
    if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/share";
    return {};
}

CreateDirectoryResult PosixPlatformServices::createDirectory(const std::string& path) {
    if (mkdir(path.c_str(), 0777) == 0) return CreateDirectoryResult::Created;
    return errno == EEXIST ? CreateDirectoryResult::AlreadyExists : CreateDirectoryResult::Failed;
}

std::unique_ptr<FileStream> PosixPlatformServices::openFile(const std::string& path, FileMode mode) {
    std::FILE* file = std::fopen(path.c_str(), mode == FileMode::Read ? "rb" : "wb");
    if (!file) return nullptr;
    return std::make_unique<StdioFileStream>(file);
}

std::unique_ptr<ReplacementStream> PosixPlatformServices::createReplacement(const std::string& target) {
    return openReplacement(target);
}

MessageAnswer PosixPlatformServices::messageBox(WindowHandle, MessageIcon, MessageButtons buttons,
                                                const std::string& title, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : yesNoAnswer_;
}

std::string PosixPlatformServices::loadString(int32_t id) {
    const char* text = builtinString(id);
    return text ? text : "";
}

} // namespace velokrom
