#pragma once
// The plug-in in-process in the emulated host, repeating its last filter (no dialog) on a small
// picture: the parameter block, the background file and the host's record are what a fuzz
// input makes of them.
#include <cstdint>
#include <vector>

#include "fake_platform.h"
#include "host_images.h"
#include "plugin/plugin_entry.h"
#include "tools/vkhost/emulated_host.h"
#include "tools/vkhost/scripted_dialogs.h"

namespace velokrom::fuzzing {

// A block as an earlier run leaves it: a key made on the backing of the shared green-screen
// picture (tests/support/host_images.h), the given
// background source, blend mode and alpha choice.
std::vector<uint8_t> savedStateBlock(BackgroundSource backgroundSource, int32_t blendMode, bool writeMatte);

struct PluginRun {
    PluginRun();
    // The host keeps block (any bytes) and repeats the filter on image.
    int16_t repeat(const std::vector<uint8_t>& block, vkhost::HostImage& image);

    testing::FakePlatform platform;
    vkhost::ScriptedDialogs dialogs;
    PluginEnvironment environment{platform, dialogs};
    vkhost::EmulatedHost host;
    vkhost::HostOptions options;
};

} // namespace velokrom::fuzzing
