// The background file as the plug-in finds it on the disk, loaded into a repeated filter run
// over the saved background in each blend mode.
#include "plugin_run.h"

using namespace velokrom;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    fuzzing::PluginRun run;
    run.platform.files[velokrom::testing::kBackgroundPath] = std::vector<uint8_t>(data + 1, data + size);
    // The first byte picks the picture's size (the file's declared size must match it to be
    // read further) and the blend mode.
    vkhost::HostImage image = velokrom::testing::greenScreen(1 + data[0] % 8, 1 + (data[0] >> 3) % 4, 3);
    run.repeat(fuzzing::savedStateBlock(kBackgroundSaved, (data[0] >> 5) % 3, false), image);
    return 0;
}
