#pragma once
// The operating-system services the host side needs, one function per service. The plug-in
// DLL implements them with Win32, the native build with POSIX, and the tests with a scripted
// fake. Paths are UTF-8 strings; nothing here throws across the plug-in boundary by design
// (implementations report failure through their results).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "wait_cursor.h"

namespace velokrom {

using WindowHandle = void*;  // HWND on Windows; an opaque token elsewhere

enum class DriveType { Unknown, NoRootDirectory, Removable, Fixed, Remote, CdRom, RamDisk };
enum class CreateDirectoryResult { Created, AlreadyExists, Failed };
enum class FileMode { Read, Write };  // Write creates or truncates

enum class MessageIcon { None, Stop, Exclamation, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct ScreenSize {
    int32_t width;
    int32_t height;
};

// One entry of a folder. A link (a symbolic link or a Windows junction) to a folder is not a
// folder here: a search that follows it could see the same tree twice or loop.
struct DirectoryEntry {
    std::string name;
    bool isDirectory;
};

// An open binary file; closing happens in close() or the destructor.
class FileStream {
public:
    virtual ~FileStream() = default;
    virtual size_t read(void* buffer, size_t size) = 0;         // bytes read; fewer at the end or on error
    virtual size_t write(const void* buffer, size_t size) = 0;  // bytes written; fewer on error
    virtual bool close() = 0;                                   // false when buffered data could not be written
};

// A new file that takes the place of its target only when commit() succeeds: until then the
// target stays as it was, and one dropped uncommitted leaves nothing behind.
class ReplacementStream : public FileStream {
public:
    virtual bool commit() = 0;
    // Why a write or the commit failed, in a few lower-case words ("no space left on the disk").
    virtual std::string error() const = 0;
};

class PlatformServices : public WaitCursorSurface {
public:
    virtual ~PlatformServices() = default;

    // Host handles: a block of the given size, zero-filled, locked for its whole life (its address
    // never changes), never freed by the filter; null when it cannot be had.
    virtual void* allocateHostBlock(size_t size) = 0;

    // The logical drive roots in the system's order ("C:\" ...); empty when the list cannot be read.
    virtual std::vector<std::string> logicalDriveRoots() = 0;
    virtual DriveType driveType(const std::string& root) = 0;
    // The user's local application-data folder without a trailing separator; empty when unknown.
    virtual std::string localAppDataFolder() = 0;
    virtual char pathSeparator() = 0;
    virtual CreateDirectoryResult createDirectory(const std::string& path) = 0;

    // Null when the file cannot be opened.
    virtual std::unique_ptr<FileStream> openFile(const std::string& path, FileMode mode) = 0;
    // Null when the replacement cannot be created, with reason saying why ("is a folder").
    virtual std::unique_ptr<ReplacementStream> createReplacement(const std::string& target, std::string& reason) = 0;

    // A modal message box; owner may be null. The answer is Ok for an Ok box, Yes or No otherwise.
    virtual MessageAnswer messageBox(WindowHandle owner, MessageIcon icon, MessageButtons buttons,
                                     const std::string& title, const std::string& text) = 0;
    virtual void beep() = 0;  // the simple beep
    virtual ScreenSize screenSize() = 0;
    // A text of the string table (platform/string_table.h); empty when there is none with that id.
    virtual std::string loadString(int32_t id) = 0;

    // The entries of a folder given by its absolute path, in the system's order, without "." and
    // ".."; empty when it cannot be read. The process's current directory is never involved.
    virtual std::vector<DirectoryEntry> listDirectory(const std::string& folder) = 0;
    // Starts program as a separate process with these arguments (the first is by convention the
    // program's own path; each reaches it as one argument) and does not wait for it. False when
    // it could not be started.
    virtual bool startProcess(const std::string& program, const std::vector<std::string>& arguments) = 0;
    // Opens a document with the viewer the system has registered for its type, without waiting;
    // false when there is none or it could not be started.
    virtual bool openDocument(const std::string& path) = 0;
};

} // namespace velokrom
