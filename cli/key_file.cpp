#include "key_file.h"

#include <filesystem>

#include "cli_error.h"
#include "engine/settings_file.h"

namespace velokrom::cli {

KeyModelRecord readKeyFile(const std::string& path) {
    if (!std::filesystem::is_regular_file(path)) throw CliError("cannot read key '" + path + "': no such file");
    KeyModelRecord record;
    if (!readSettingsRecord(path.c_str(), record))
        throw CliError("cannot read key '" + path + "': not a Velokrom settings file");
    return record;
}

} // namespace velokrom::cli
