#pragma once
#include <memory>
#include <string>

#include "platform_services.h"

namespace velokrom {

// The platform services' replacement files, on every system: engine/replacement_file.h.
std::unique_ptr<ReplacementStream> openReplacement(const std::string& target);

} // namespace velokrom
