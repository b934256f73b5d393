#include "settings_file.h"

#include <cstdio>
#include <cstring>

#include "platform/replacement_file.h"

namespace velokrom {

const char kSettingsSignature[22] = "VelokromData Rev. 1.0";

bool writeSettingsFile(const char* path, std::string* error) {
    const KeyModelRecord record = saveLiveKey();
    // Written beside the target and put in its place whole: a failed or killed write never
    // destroys the old file.
    ReplacementFile file(path);
    if (file.write(kSettingsSignature, sizeof kSettingsSignature) && file.write(record.bytes, sizeof record.bytes) &&
        file.commit())
        return true;
    if (error) *error = file.error();
    return false;
}

bool parseSettingsRecord(const uint8_t* bytes, size_t size, KeyModelRecord& record) {
    if (size < static_cast<size_t>(kSettingsFileSize) || std::memcmp(bytes, kSettingsSignature, sizeof kSettingsSignature) != 0)
        return false;
    std::memcpy(record.bytes, bytes + sizeof kSettingsSignature, sizeof record.bytes);
    return true;
}

bool readSettingsRecord(const char* path, KeyModelRecord& record) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    uint8_t bytes[kSettingsFileSize];
    const size_t size = std::fread(bytes, 1, sizeof bytes, f);
    std::fclose(f);
    return parseSettingsRecord(bytes, size, record);
}

bool SettingsLocation::remember(const std::string& path) {
    const size_t cut = path.find_last_of("\\/");
    const std::string file = cut == std::string::npos ? path : path.substr(cut + 1);
    const std::string dir = cut == std::string::npos ? std::string() : path.substr(0, cut);
    if (file.size() >= sizeof lastSettingsFile || dir.size() >= sizeof lastSettingsDir) return false;
    std::memcpy(lastSettingsFile, file.c_str(), file.size() + 1);
    std::memcpy(lastSettingsDir, dir.c_str(), dir.size() + 1);
    return true;
}

bool settingsSavePath(std::string& path) {
    const size_t cut = path.find_last_of("\\/");
    const size_t nameStart = cut == std::string::npos ? 0 : cut + 1;
    if (path.find('.', nameStart) == std::string::npos) path += ".vkp";
    return path.size() < kSettingsPathCapacity;
}

SettingsLocation& settingsLocation() {
    static SettingsLocation location{};
    return location;
}

} // namespace velokrom
