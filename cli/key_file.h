#pragma once
#include <string>

#include "engine/key_model.h"

namespace velokrom::cli {

// Reads a settings file's key record; throws CliError for a missing file or one that is not a
// settings file.
KeyModelRecord readKeyFile(const std::string& path);
// Writes the live key as a settings file, replacing path only when complete; throws CliError
// naming the reason when it cannot be written.
void writeKeyFile(const std::string& path);

} // namespace velokrom::cli
