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

bool readSettingsRecord(const char* path, KeyModelRecord& record) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    char signature[sizeof kSettingsSignature];
    KeyModelRecord read;
    const bool ok = std::fread(signature, 1, sizeof signature, f) == sizeof signature &&
                    std::memcmp(signature, kSettingsSignature, sizeof signature) == 0 &&
                    std::fread(read.bytes, 1, sizeof read.bytes, f) == sizeof read.bytes;
    std::fclose(f);
    if (ok) record = read;
    return ok;
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
