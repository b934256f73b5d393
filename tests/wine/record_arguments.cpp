// A stand-in for a PDF reader or viewer: writes the arguments it was started with, as Windows
// programs split their command line, one per line in UTF-8, to arguments.txt beside itself.
// The file appears whole (written under another name, then renamed), so a test can wait for it.
#include <windows.h>
#include <shellapi.h>

#include <string>

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return 1;
    std::string text;
    for (int i = 0; i < count; ++i) {
        const int length = lstrlenW(arguments[i]);
        const int size = WideCharToMultiByte(CP_UTF8, 0, arguments[i], length, nullptr, 0, nullptr, nullptr);
        std::string line(static_cast<size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, arguments[i], length, line.data(), size, nullptr, nullptr);
        text += line + "\n";
    }
    LocalFree(arguments);

    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    std::wstring folder(self, length);
    folder.resize(folder.find_last_of(L'\\') + 1);
    const std::wstring pending = folder + L"arguments.tmp";
    HANDLE file = CreateFileW(pending.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || !MoveFileExW(pending.c_str(), (folder + L"arguments.txt").c_str(), MOVEFILE_REPLACE_EXISTING)) return 1;
    return 0;
}
