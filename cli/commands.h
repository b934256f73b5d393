#pragma once
#include <ostream>

#include "arguments.h"

namespace velokrom::cli {

// Each runs one command on the words after its name and returns the exit status; failures
// throw CliError. out receives help and results, notes receives remarks that are no error,
// progress receives the batch progress bar.
int runKey(Arguments& args, std::ostream& out, std::ostream& notes);
int runRender(Arguments& args, std::ostream& out, std::ostream& progress, bool progressIsTerminal);
int runInfo(Arguments& args, std::ostream& out);

} // namespace velokrom::cli
