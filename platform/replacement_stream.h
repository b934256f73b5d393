#pragma once
#include <memory>
#include <string>

#include "platform_services.h"

namespace velokrom {

// The platform services' replacement files, on every system: platform/replacement_file.h. Null,
// with reason set, when the replacement cannot be created.
std::unique_ptr<ReplacementStream> openReplacement(const std::string& target, std::string& reason);

} // namespace velokrom
