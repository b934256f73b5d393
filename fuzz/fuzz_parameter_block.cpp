// The parameter block the host hands back: any 1528 bytes, repeated on a small picture with and
// without an alpha plane.
#include "host/parameter_block.h"
#include "plugin_run.h"

using namespace velokrom;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    std::vector<uint8_t> block(data + 1, data + size);
    block.resize(kParameterBlockSize, 0);
    fuzzing::PluginRun run;
    // One or two rows: the plain pass builds the key's faces afresh for every row, and a
    // block reads the same whatever the picture's height.
    vkhost::HostImage image = velokrom::testing::greenScreen(7, 1 + (data[0] >> 2) % 2, 3 + data[0] % 2);
    run.options.layered = (data[0] & 2) != 0;
    run.repeat(block, image);
    return 0;
}
