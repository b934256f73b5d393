// The Win32 side of ReplacementFile: CreateFileW(CREATE_NEW) without delete sharing (which also
// keeps other runs from removing it), FlushFileBuffers and MoveFileExW.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include "replacement_file.h"
#include "replacement_file_system.h"
#include "utf8_win32.h"

namespace velokrom {
namespace replacement {
namespace {

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

} // namespace

const char* pathSeparators() { return "\\/:"; }

// A temporary still being written is open without delete sharing, so only abandoned ones go.
void removeStale(const std::string& folderPath, const std::string& prefix) {
    const std::wstring folder = widen(folderPath);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + widen(prefix) + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
            DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::FILE* createExclusive(const std::string& path, const std::string&, bool& nameTaken, std::string& error) {
    HANDLE handle = CreateFileW(widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
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
        DeleteFileW(widen(path).c_str());
    }
    return stream;
}

bool flushToDisk(std::FILE* stream) {
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)))) != 0;
}

bool renameOver(const std::string& source, const std::string& target, std::string& error) {
    if (MoveFileExW(widen(source).c_str(), widen(target).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    error = systemReason(GetLastError());
    return false;
}

void removePath(const std::string& path) { DeleteFileW(widen(path).c_str()); }

unsigned long processId() { return GetCurrentProcessId(); }

std::string lastError() { return systemReason(GetLastError()); }

} // namespace replacement

std::string nonFileReason(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return {};
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "is a folder";
    if (attributes & FILE_ATTRIBUTE_DEVICE) return "is not a regular file";
    return {};
}

} // namespace velokrom
