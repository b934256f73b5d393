#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace velokrom::cli {

// The command-line keyer: words are the arguments after the program name. Errors are one line
// on err and exit status 2; the progress bar goes to err when errIsTerminal.
int run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err, bool errIsTerminal);

} // namespace velokrom::cli
