#include "settings_file.h"

#include <cstring>
#include <memory>

namespace velokrom {

const char kSettingsSignature[22] = "VelokromData Rev. 1.0";

bool writeSettingsFile(PlatformServices& platform, const std::string& path, std::string* error) {
    const KeyModelRecord record = saveLiveKey();
    // Written beside the target and put in its place whole: a failed or killed write never
    // destroys the old file.
    std::string reason;
    std::unique_ptr<ReplacementStream> file = platform.createReplacement(path, reason);
    if (file && file->write(kSettingsSignature, sizeof kSettingsSignature) == sizeof kSettingsSignature &&
        file->write(record.bytes, sizeof record.bytes) == sizeof record.bytes && file->commit())
        return true;
    if (error) *error = file ? file->error() : reason;
    return false;
}

bool parseSettingsRecord(const uint8_t* bytes, size_t size, KeyModelRecord& record) {
    if (size < static_cast<size_t>(kSettingsFileSize) || std::memcmp(bytes, kSettingsSignature, sizeof kSettingsSignature) != 0)
        return false;
    std::memcpy(record.bytes, bytes + sizeof kSettingsSignature, sizeof record.bytes);
    return true;
}

bool readSettingsRecord(PlatformServices& platform, const std::string& path, KeyModelRecord& record) {
    std::unique_ptr<FileStream> file = platform.openFile(path, FileMode::Read);
    if (!file) return false;
    uint8_t bytes[kSettingsFileSize];
    const size_t size = file->read(bytes, sizeof bytes);
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
