#include "replacement_file.h"

#include <cctype>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace velokrom {
namespace {

// Attempts at a fresh name before giving up: each run numbers its own temporaries.
constexpr int kNameAttempts = 100;

struct SplitPath {
    std::string folder;  // with its trailing separator, empty for the current folder
    std::string name;
};

SplitPath splitPath(const std::string& path) {
#ifdef _WIN32
    const size_t cut = path.find_last_of("\\/:");
#else
    const size_t cut = path.find_last_of('/');
#endif
    if (cut == std::string::npos) return {"", path};
    return {path.substr(0, cut + 1), path.substr(cut + 1)};
}

// Temporaries of one target share this name prefix: hidden, and recognisable by the next run.
std::string temporaryPrefix(const SplitPath& target) { return "." + target.name + ".vktmp-"; }

#ifdef _WIN32

std::wstring wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(length), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
    return result;
}

std::string systemReason(DWORD code) {
    switch (code) {
    case ERROR_ACCESS_DENIED: return "permission denied";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return "no such file or folder";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "no space left on the disk";
    case ERROR_SHARING_VIOLATION: return "in use by another program";
    default: return "system error " + std::to_string(code);
    }
}

// A temporary still being written is open without delete sharing, so only abandoned ones go.
void removeStale(const SplitPath& target) {
    const std::wstring folder = wide(target.folder);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + wide(temporaryPrefix(target)) + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
            DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::FILE* createExclusive(const std::string& path, const std::string&, bool& nameTaken, std::string& error) {
    HANDLE handle = CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        nameTaken = code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS;
        error = systemReason(code);
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
    std::FILE* stream = fd >= 0 ? _fdopen(fd, "w+b") : nullptr;
    if (!stream) {
        error = "cannot open a stream";
        if (fd >= 0) _close(fd);
        else CloseHandle(handle);
        DeleteFileW(wide(path).c_str());
    }
    return stream;
}

bool flushToDisk(std::FILE* stream) {
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)))) != 0;
}

bool renameOver(const std::string& source, const std::string& target, std::string& error) {
    if (MoveFileExW(wide(source).c_str(), wide(target).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    error = systemReason(GetLastError());
    return false;
}

void removePath(const std::string& path) { DeleteFileW(wide(path).c_str()); }

unsigned long processId() { return GetCurrentProcessId(); }

std::string lastError() { return systemReason(GetLastError()); }

#else

std::string systemReason(int code) {
    std::string reason = std::strerror(code);
    if (!reason.empty()) reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    return reason;
}

// A temporary still being written is locked by its writer, so only abandoned ones go.
void removeStale(const SplitPath& target) {
    DIR* folder = opendir(target.folder.empty() ? "." : target.folder.c_str());
    if (!folder) return;
    const std::string prefix = temporaryPrefix(target);
    while (const dirent* entry = readdir(folder)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) != 0) continue;
        const std::string path = target.folder + entry->d_name;
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

#endif

} // namespace

std::string nonFileReason(const std::string& path) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return {};
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "is a folder";
    if (attributes & FILE_ATTRIBUTE_DEVICE) return "is not a regular file";
    return {};
#else
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return {};
    if (S_ISDIR(info.st_mode)) return "is a folder";
    return S_ISREG(info.st_mode) ? std::string() : "is not a regular file";
#endif
}

ReplacementFile::ReplacementFile(const std::string& target) : target_(target) {
    error_ = nonFileReason(target);
    if (!error_.empty() || target.empty()) {
        if (error_.empty()) error_ = "no file name";
        return;
    }
    const SplitPath split = splitPath(target);
    removeStale(split);
    const std::string stem = split.folder + temporaryPrefix(split) + std::to_string(processId()) + "-";
    for (int attempt = 0; attempt < kNameAttempts && !stream_; ++attempt) {
        bool nameTaken = false;
        temporary_ = stem + std::to_string(attempt);
        stream_ = createExclusive(temporary_, target, nameTaken, error_);
        if (!stream_ && !nameTaken) break;
    }
    if (stream_) error_.clear();
    else temporary_.clear();
}

ReplacementFile::~ReplacementFile() { discard(); }

void ReplacementFile::discard() {
    if (stream_) std::fclose(stream_);
    stream_ = nullptr;
    if (!temporary_.empty()) removePath(temporary_);
    temporary_.clear();
}

bool ReplacementFile::write(const void* data, size_t size) {
    if (!stream_) return false;
    if (std::fwrite(data, 1, size, stream_) == size) return true;
    error_ = lastError();
    return false;
}

bool ReplacementFile::commit() {
    if (!stream_) return false;
    const bool flushed = std::fflush(stream_) == 0 && flushToDisk(stream_);
    if (!flushed) error_ = lastError();
    const bool closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    if (flushed && !closed) error_ = lastError();
    if (!flushed || !closed || !renameOver(temporary_, target_, error_)) {
        discard();
        return false;
    }
    temporary_.clear();
    return true;
}

} // namespace velokrom
