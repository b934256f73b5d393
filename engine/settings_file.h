#pragma once
#include <string>

#include "key_model.h"

namespace velokrom {

constexpr int kSettingsFileSize = 1502;
extern const char kSettingsSignature[22];  // "VelokromData Rev. 1.0" and its NUL

// Writes the live key. The target is replaced only after a complete write: on failure the old
// file stays and no temporary is left behind.
bool writeSettingsFile(const char* path);

// Reads the 1502 bytes of a settings file into record; false if it cannot be opened, is short
// or has another signature. Extra bytes after the record are ignored.
bool readSettingsRecord(const char* path, KeyModelRecord& record);

// The name the save command writes to: ".vkp" appended when the file name has no dot.
std::string settingsSavePath(const std::string& chosen);

} // namespace velokrom
