#include "key_file.h"

#include "cli_error.h"
#include "file_identity.h"
#include "engine/settings_file.h"
#include "platform/platform_services_posix.h"

namespace velokrom::cli {

KeyModelRecord readKeyFile(const std::string& path) {
    requireFile(path, "key");
    PosixPlatformServices files;
    KeyModelRecord record;
    if (!readSettingsRecord(files, path, record))
        throw CliError("cannot read key '" + path + "': not a Velokrom settings file");
    return record;
}

void writeKeyFile(const std::string& path) {
    PosixPlatformServices files;
    std::string reason;
    if (!writeSettingsFile(files, path, &reason)) throw CliError("cannot write key '" + path + "': " + reason);
}

} // namespace velokrom::cli
