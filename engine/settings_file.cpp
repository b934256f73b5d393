#include "settings_file.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace velokrom {

const char kSettingsSignature[22] = "VelokromData Rev. 1.0";

namespace {

bool writeAll(std::FILE* f, const void* data, size_t size) { return std::fwrite(data, 1, size, f) == size; }

} // namespace

bool writeSettingsFile(const char* path) {
    KeyModelRecord record = saveLiveKey();
    // Write beside the target, then replace it: a failed write never destroys the old file.
    const std::string temporary = std::string(path) + ".vktmp";
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f) return false;
    bool ok = writeAll(f, kSettingsSignature, sizeof kSettingsSignature) && writeAll(f, record.bytes, sizeof record.bytes);
    ok = (std::fflush(f) == 0) && ok;
    ok = (std::fclose(f) == 0) && ok;
    std::error_code error;
    if (ok) std::filesystem::rename(temporary, path, error);
    if (!ok || error) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
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
