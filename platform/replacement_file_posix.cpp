// The POSIX side of ReplacementFile: open(O_EXCL | O_NOFOLLOW), flock to mark a temporary in
// use, fsync and rename.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "replacement_file.h"
#include "replacement_file_system.h"

namespace velokrom {
namespace replacement {
namespace {

std::string systemReason(int code) {
    std::string reason = std::strerror(code);
    if (!reason.empty()) reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    return reason;
}

} // namespace

const char* pathSeparators() { return "/"; }

// A temporary still being written is locked by its writer, so only abandoned ones go.
void removeStale(const std::string& folderPath, const std::string& prefix) {
    DIR* folder = opendir(folderPath.empty() ? "." : folderPath.c_str());
    if (!folder) return;
    while (const dirent* entry = readdir(folder)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) != 0) continue;
        const std::string path = folderPath + entry->d_name;
        const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat info;
        if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0) unlink(path.c_str());
        close(fd);
    }
    closedir(folder);
}

std::FILE* createExclusive(const std::string& path, const std::string& target, bool& nameTaken, std::string& error) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        nameTaken = errno == EEXIST;
        error = systemReason(errno);
        return nullptr;
    }
    flock(fd, LOCK_EX);  // marks it as in use for removeStale of other runs
    // The replacement keeps the permissions of the file it replaces.
    struct stat info;
    if (stat(target.c_str(), &info) == 0) fchmod(fd, info.st_mode & 07777);
    std::FILE* stream = fdopen(fd, "w+b");
    if (!stream) {
        error = systemReason(errno);
        close(fd);
        unlink(path.c_str());
    }
    return stream;
}

bool flushToDisk(std::FILE* stream) { return fsync(fileno(stream)) == 0; }

bool renameOver(const std::string& source, const std::string& target, std::string& error) {
    if (std::rename(source.c_str(), target.c_str()) == 0) return true;
    error = systemReason(errno);
    return false;
}

void removePath(const std::string& path) { unlink(path.c_str()); }

unsigned long processId() { return static_cast<unsigned long>(getpid()); }

std::string lastError() { return systemReason(errno); }

} // namespace replacement

std::string nonFileReason(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return {};
    if (S_ISDIR(info.st_mode)) return "is a folder";
    return S_ISREG(info.st_mode) ? std::string() : "is not a regular file";
}

} // namespace velokrom
