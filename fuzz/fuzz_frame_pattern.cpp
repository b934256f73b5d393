// A frame pattern and a frame range as typed on the command line: the range parsed, the pattern
// parsed and asked for the names of the range's ends.
#include <string>

#include "cli_error.h"
#include "frame_pattern.h"

using namespace velokrom::cli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const size_t cut = text.find('\n');
    try {
        const FrameRange range = parseFrameRange(text.substr(0, cut));
        if (range.count() < 1) __builtin_trap();
        if (cut == std::string::npos) return 0;
        const FramePattern pattern(text.substr(cut + 1));
        if (pattern.name(range.first).empty() && !pattern.text().empty() && pattern.hasFrame()) __builtin_trap();
        pattern.name(range.last);
    } catch (const CliError&) {
    }
    return 0;
}
