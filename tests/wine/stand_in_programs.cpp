#include "stand_in_programs.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "platform/utf8_win32.h"
#include "scratch_folder.h"
#include "ui_driver_win32.h"

namespace velokrom::winetest {
namespace {

constexpr wchar_t kProgramId[] = L"Velokrom.TestViewer";

} // namespace

void installStandIn(const std::string& path) {
    wchar_t self[MAX_PATH];
    std::wstring recorder(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    recorder.replace(recorder.find_last_of(L'\\') + 1, std::wstring::npos, L"record_arguments.exe");
    const std::wstring copy = widen(path);
    CreateDirectoryW(copy.substr(0, copy.find_last_of(L'\\')).c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(recorder.c_str(), copy.c_str(), FALSE)) << path;
}

std::vector<std::string> recordedArguments(const std::string& folder) {
    const std::filesystem::path record = widen(folder + "\\arguments.txt");
    std::vector<std::string> lines;
    if (!vkhost::waitUntil([&] { return std::filesystem::exists(record); }, 20000)) return lines;
    const std::vector<uint8_t> bytes = testing::ScratchFolder::readBytes(record);
    std::filesystem::remove(record);
    const std::string text(bytes.begin(), bytes.end());
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

bool removeStandIn(const std::string& path) {
    const std::wstring wide = widen(path);
    return vkhost::waitUntil([&] { return DeleteFileW(wide.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND; });
}

void registerViewer(const std::string& extension, const std::string& path) {
    const std::wstring command = L"\"" + widen(path) + L"\" \"%1\"";
    const std::wstring commandKey = std::wstring(kProgramId) + L"\\shell\\open\\command";
    HKEY key;
    ASSERT_EQ(RegSetValueW(HKEY_CLASSES_ROOT, widen(extension).c_str(), REG_SZ, kProgramId, 0), ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, commandKey.c_str(), &key), ERROR_SUCCESS);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void unregisterViewer(const std::string& extension) {
    for (const wchar_t* sub : {L"\\shell\\open\\command", L"\\shell\\open", L"\\shell", L""})
        RegDeleteKeyW(HKEY_CLASSES_ROOT, (kProgramId + std::wstring(sub)).c_str());
    RegDeleteKeyW(HKEY_CLASSES_ROOT, widen(extension).c_str());
}

} // namespace velokrom::winetest
