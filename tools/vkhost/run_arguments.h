#pragma once
// The command line of `vkhost run`, shared by the native and the Win32 builds:
//   vkhost run PLUGIN --image IN --out OUT [--selection x0,y0:x1,y1] [--alpha-plane] [--layered]
//              [--repeat] [--params FILE] [--choice save|saved|gray|cancel] [--overwrite yes|no]
//              [--window ok|cancel] [--abort-after N] [--drive-root DIR]
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/start_dialog.h"

namespace velokrom::vkhost {

struct RunArguments {
    std::string plugin;
    std::string image;
    std::string out;
    bool hasSelection = false;
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // inclusive corners of the selection
    bool alphaPlane = false;                  // a fourth plane: an alpha channel
    bool layered = false;                     // a fourth plane: the layer's transparency
    bool repeat = false;                      // repeat the last filter: no parameters selector
    std::string params;                       // file that keeps the parameter block between runs
    std::optional<StartChoice> choice;        // the start dialog's answer; none: OK with the preset
    bool cancelStartDialog = false;
    bool overwrite = false;                   // the answer to "overwrite the background?"
    std::optional<bool> windowOk;             // how the main window is ended; none: by the person
    int32_t abortAfter = -1;                  // the host aborts from this many progress calls on
    std::string driveRoot = "/";              // native only: the directory that plays the drive root
};

// Parses the arguments after "run"; throws std::runtime_error with a one-line message.
RunArguments parseRunArguments(const std::vector<std::string>& args);

extern const char* const kRunUsage;

} // namespace velokrom::vkhost
