#include "key_file.h"

#include "cli_error.h"
#include "file_identity.h"
#include "engine/settings_file.h"

namespace velokrom::cli {

KeyModelRecord readKeyFile(const std::string& path) {
    requireFile(path, "key");
    KeyModelRecord record;
    if (!readSettingsRecord(path.c_str(), record))
        throw CliError("cannot read key '" + path + "': not a Velokrom settings file");
    return record;
}

} // namespace velokrom::cli
