// A drag's points as typed on the command line: parsed, checked against an image and expanded.
#include <string>

#include "cli_error.h"
#include "sample_points.h"

using namespace velokrom::cli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
    try {
        const SamplePoints points = SamplePoints::parse(text);
        points.checkInside(1 + data[0] * 40, 1 + data[1] * 40);
        const std::vector<Point> expanded = points.expand(1000);
        if (expanded.empty() || static_cast<int64_t>(expanded.size()) > points.count()) __builtin_trap();
    } catch (const CliError&) {
    }
    return 0;
}
