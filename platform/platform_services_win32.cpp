#include "platform_services_win32.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>

#include "module_instance_win32.h"
#include "replacement_stream.h"
#include "stdio_file_stream.h"
#include "utf8_win32.h"

namespace velokrom {
namespace {

UINT iconStyle(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Stop: return MB_ICONSTOP;
    case MessageIcon::Exclamation: return MB_ICONEXCLAMATION;
    case MessageIcon::Information: return MB_ICONINFORMATION;
    case MessageIcon::None: break;
    }
    return 0;
}

// One argument as the C runtime's command-line parser splits it back out: quoted when it holds
// a blank or a quote (or is empty), with its backslashes doubled where they precede a quote.
std::wstring quotedArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        quoted.push_back(c);
        backslashes = 0;
    }
    quoted.append(2 * backslashes, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

} // namespace

void* Win32PlatformServices::allocateHostBlock(size_t size) {
    // Movable and zero-filled, locked for good: hosts size the block with GlobalSize.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block) return nullptr;
    void* address = GlobalLock(block);
    if (!address) GlobalFree(block);
    return address;
}

std::vector<std::string> Win32PlatformServices::logicalDriveRoots() {
    wchar_t list[1024];
    const DWORD length = GetLogicalDriveStringsW(1024, list);
    std::vector<std::string> roots;
    if (length == 0 || length >= 1024) return roots;
    // "C:\<NUL>D:\<NUL><NUL>": the list ends at the first empty entry.
    for (const wchar_t* root = list; *root; root += lstrlenW(root) + 1) roots.push_back(narrow(root, lstrlenW(root)));
    return roots;
}

DriveType Win32PlatformServices::driveType(const std::string& root) {
    switch (GetDriveTypeW(widen(root).c_str())) {
    case DRIVE_NO_ROOT_DIR: return DriveType::NoRootDirectory;
    case DRIVE_REMOVABLE: return DriveType::Removable;
    case DRIVE_FIXED: return DriveType::Fixed;
    case DRIVE_REMOTE: return DriveType::Remote;
    case DRIVE_CDROM: return DriveType::CdRom;
    case DRIVE_RAMDISK: return DriveType::RamDisk;
    default: return DriveType::Unknown;
    }
}

std::string Win32PlatformServices::localAppDataFolder() {
    wchar_t folder[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) return {};
    return narrow(folder, lstrlenW(folder));
}

CreateDirectoryResult Win32PlatformServices::createDirectory(const std::string& path) {
    if (CreateDirectoryW(widen(path).c_str(), nullptr)) return CreateDirectoryResult::Created;
    return GetLastError() == ERROR_ALREADY_EXISTS ? CreateDirectoryResult::AlreadyExists
                                                  : CreateDirectoryResult::Failed;
}

std::unique_ptr<FileStream> Win32PlatformServices::openFile(const std::string& path, FileMode mode) {
    std::FILE* file = _wfopen(widen(path).c_str(), mode == FileMode::Read ? L"rb" : L"wb");
    if (!file) return nullptr;
    return std::make_unique<StdioFileStream>(file);
}

std::unique_ptr<ReplacementStream> Win32PlatformServices::createReplacement(const std::string& target, std::string& reason) {
    return openReplacement(target, reason);
}

MessageAnswer Win32PlatformServices::messageBox(WindowHandle owner, MessageIcon icon, MessageButtons buttons,
                                                const std::string& title, const std::string& text) {
    const UINT style = iconStyle(icon) | (buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK);
    const int answer = MessageBoxW(static_cast<HWND>(owner), widen(text).c_str(), widen(title).c_str(), style);
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

void Win32PlatformServices::beep() { MessageBeep(0xFFFFFFFF); }

ScreenSize Win32PlatformServices::screenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

std::string Win32PlatformServices::loadString(int32_t id) {
    // With a zero buffer size LoadStringW hands out the resource's own read-only text.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(moduleInstance(), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? narrow(text, length) : std::string();
}

std::vector<DirectoryEntry> Win32PlatformServices::listDirectory(const std::string& folder) {
    std::vector<DirectoryEntry> entries;
    std::wstring pattern = widen(folder);
    if (pattern.empty() || (pattern.back() != L'\\' && pattern.back() != L'/')) pattern += L'\\';
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((pattern + L'*').c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        const wchar_t* name = found.cFileName;
        if (lstrcmpW(name, L".") == 0 || lstrcmpW(name, L"..") == 0) continue;
        // A junction or a symbolic link to a folder is not a folder (see DirectoryEntry).
        const bool isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                                 !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
        entries.push_back({narrow(name, lstrlenW(name)), isDirectory});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

bool Win32PlatformServices::startProcess(const std::string& program, const std::vector<std::string>& arguments) {
    std::wstring commandLine;
    for (const std::string& argument : arguments) {
        if (!commandLine.empty()) commandLine += L' ';
        commandLine += quotedArgument(widen(argument));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(widen(program).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool Win32PlatformServices::openDocument(const std::string& path) {
    // The shell may hand the verb to extensions that need COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const std::wstring file = widen(path);
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_FLAG_NO_UI;  // our own message says what failed
    execute.lpVerb = L"open";
    execute.lpFile = file.c_str();
    execute.nShow = SW_SHOWNORMAL;
    const bool opened = ShellExecuteExW(&execute) != FALSE;
    if (SUCCEEDED(com)) CoUninitialize();
    return opened;
}

CursorHandle Win32PlatformServices::showWaitCursor() { return SetCursor(LoadCursorA(nullptr, IDC_WAIT)); }

void Win32PlatformServices::restoreCursor(CursorHandle previous) { SetCursor(static_cast<HCURSOR>(previous)); }

} // namespace velokrom
