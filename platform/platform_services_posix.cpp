#include "platform_services_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

std::unique_ptr<ReplacementStream> PosixPlatformServices::createReplacement(const std::string& target, std::string& reason) {
    return openReplacement(target, reason);
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

std::vector<DirectoryEntry> PosixPlatformServices::listDirectory(const std::string& folder) {
    std::vector<DirectoryEntry> entries;
    DIR* directory = opendir(folder.c_str());
    if (!directory) return entries;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + '/';
    while (const dirent* entry = readdir(directory)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        // lstat, not stat: a link to a folder is not a folder (see DirectoryEntry).
        struct stat info;
        const bool isDirectory = lstat((prefix + entry->d_name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        entries.push_back({entry->d_name, isDirectory});
    }
    closedir(directory);
    return entries;
}

bool PosixPlatformServices::startProcess(const std::string& program, const std::vector<std::string>& arguments) {
    // Everything the children use is made before fork: only async-signal-safe calls after it.
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return false;
    // Started by a child that exits at once, so that nobody has to wait for the program itself;
    // the pipe closes unread when exec succeeds and carries errno when it fails.
    const pid_t child = fork();
    if (child == 0) {
        close(report[0]);
        const pid_t started = fork();
        if (started == 0) {
            execv(program.c_str(), argv.data());
            const int error = errno;
            [[maybe_unused]] const ssize_t written = write(report[1], &error, sizeof error);
            _exit(127);
        }
        _exit(started < 0 ? 1 : 0);
    }
    close(report[1]);
    int status = 0;
    const bool forked = child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
                        WEXITSTATUS(status) == 0;
    int error = 0;
    const bool execFailed = forked && read(report[0], &error, sizeof error) == static_cast<ssize_t>(sizeof error);
    close(report[0]);
    return forked && !execFailed;
}

bool PosixPlatformServices::openDocument(const std::string& path) {
    return startProcess("/usr/bin/xdg-open", {"xdg-open", path});
}

} // namespace velokrom
