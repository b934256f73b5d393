#pragma once
#include <stdexcept>
#include <string>

namespace velokrom::cli {

// A failure the user has to hear about: one line on standard error, exit status 2.
struct CliError : std::runtime_error {
    explicit CliError(const std::string& message) : std::runtime_error(message) {}
};

constexpr int kExitOk = 0;
constexpr int kExitError = 2;

} // namespace velokrom::cli
