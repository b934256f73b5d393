#pragma once
// One `vkhost run`, apart from image files and the plug-in's loading: builds the host options
// from the arguments, keeps the parameter block in its file, runs the filter and reports every
// selector's result.
#include <ostream>

#include "emulated_host.h"
#include "run_arguments.h"

namespace velokrom::vkhost {

// The host options the arguments ask for, for an image of that size.
HostOptions hostOptionsFor(const RunArguments& run, const HostImage& image);

// Runs the filter on image (changed in place when the filter succeeds) and writes one line per
// selector call to report. The parameter block is read from and written back to run.params.
// Answers the filter's result. Throws std::runtime_error when the parameter file cannot be used.
// hostWindow is the window behind platformData (the Win32 host has one).
int16_t runSession(EmulatedHost& host, const RunArguments& run, HostImage& image, std::ostream& report,
                   intptr_t hostWindow = 0);

const char* selectorName(int16_t selector);

} // namespace velokrom::vkhost
