#pragma once
#include <cstddef>
#include <string>

#include "key_model.h"
#include "platform/platform_services.h"

namespace velokrom {

constexpr int kSettingsFileSize = 1502;
extern const char kSettingsSignature[22];  // "VelokromData Rev. 1.0" and its NUL

// Settings files are opened through the platform's files: paths are UTF-8 everywhere, and the
// Windows services open them by their UTF-16 names.

// Writes the live key. The target is replaced only after a complete write: on failure the old
// file stays, no temporary is left behind, and error (when given) says why.
bool writeSettingsFile(PlatformServices& platform, const std::string& path, std::string* error = nullptr);

// Reads the 1502 bytes of a settings file into record; false if it cannot be opened, is short
// or has another signature. Extra bytes after the record are ignored.
bool readSettingsRecord(PlatformServices& platform, const std::string& path, KeyModelRecord& record);
// The same for a file's first size bytes already in memory.
bool parseSettingsRecord(const uint8_t* bytes, size_t size, KeyModelRecord& record);

// The file dialogs' name buffer, in characters including the terminating NUL.
constexpr size_t kSettingsPathCapacity = 260;

// Turns the name chosen in the save dialog into the path written: ".vkp" is appended when the
// file name itself (not its folders) has no dot. False when the result no longer fits the
// dialog's name buffer; such a name is refused like a failed save.
bool settingsSavePath(std::string& path);

// The folder and name of the last settings file saved or loaded, offered by the next dialog;
// they live as long as the library stays loaded.
struct SettingsLocation {
    char lastSettingsFile[256];
    char lastSettingsDir[256];
    // Splits the path at its last separator and remembers both parts. False, leaving both
    // unchanged, when either part would not fit with its NUL.
    bool remember(const std::string& path);
};

SettingsLocation& settingsLocation();

} // namespace velokrom
