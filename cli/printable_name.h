#pragma once
#include <string>

namespace velokrom::cli {

// text with every control character written as \xNN, so that a file name cannot move the
// cursor, clear the terminal or forge a line of its own when it is printed.
std::string printable(const std::string& text);

} // namespace velokrom::cli
