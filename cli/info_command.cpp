// velokrom info: what a settings file holds, readably.
#include <cmath>
#include <cstdio>
#include <string>

#include "cli_error.h"
#include "commands.h"
#include "key_file.h"
#include "printable_name.h"

namespace velokrom::cli {
namespace {

constexpr const char* kHelp =
    "usage: velokrom info KEY.vkp\n"
    "\n"
    "Prints the key in a settings file: its centre colour, option word and the smallest and\n"
    "largest radius of each of its three surfaces, in 16-bit colour units (8-bit value x 256).\n";

std::string format(const char* pattern, double a, double b = 0, double c = 0) {
    char text[160];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

std::string surfaceLine(const char* name, const KeySurface& surface) {
    double smallest = INFINITY, largest = -INFINITY;
    int notNumbers = 0;
    for (float radius : surface) {
        if (std::isnan(radius)) {
            ++notNumbers;
            continue;
        }
        smallest = std::fmin(smallest, radius);
        largest = std::fmax(largest, radius);
    }
    std::string line = std::string(name) + (notNumbers == kVertexCount ? "no radius is a number"
                                                                       : format("radius %.2f .. %.2f", smallest, largest));
    if (notNumbers > 0 && notNumbers < kVertexCount) line += " (" + std::to_string(notNumbers) + " radii are not numbers)";
    return line;
}

} // namespace

int runInfo(Arguments& args, std::ostream& out) {
    if (args.asksForHelp()) {
        out << kHelp;
        return kExitOk;
    }
    if (args.empty()) throw CliError("info needs a KEY.vkp file");
    const std::string path = args.take();
    if (!args.empty()) throw CliError("info: unexpected argument '" + args.take() + "'");
    KeyModel key{};
    restoreKeyModel(readKeyFile(path), key);

    const float* c = key.keyCenter;
    char options[64];
    std::snprintf(options, sizeof options, "0x%08x", static_cast<unsigned>(key.surfaceOptions));
    out << "key " << printable(path) << '\n'
        << "  centre          " << format("%.2f, %.2f, %.2f", c[0], c[1], c[2])
        << format("  (8-bit %.1f, %.1f, %.1f)", c[0] / 256.0, c[1] / 256.0, c[2] / 256.0) << '\n'
        << "  options         " << options << ((key.surfaceOptions & kHardCutOption) ? "  hard cut" : "")
        << ((key.surfaceOptions & kNoOuterZoneOption) ? "  no outer zone" : "") << '\n'
        << surfaceLine("  inner surface   ", key.innerSurface) << '\n'
        << surfaceLine("  middle surface  ", key.middleSurface) << '\n'
        << surfaceLine("  outer surface   ", key.outerSurface) << '\n';
    return kExitOk;
}

} // namespace velokrom::cli
