#pragma once
// The plug-in in-process in the emulated host, with the scripted OS and windows; the pictures,
// keys, parameter blocks and expected composites come from host_images.h.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "composite/memory_image_access.h"
#include "fake_platform.h"
#include "host_images.h"
#include "host/parameter_block.h"
#include "plugin/filter_plugin.h"
#include "plugin/plugin_entry.h"
#include "tools/vkhost/emulated_host.h"
#include "tools/vkhost/scripted_dialogs.h"

namespace velokrom::testing {

using vkhost::HostImage;

constexpr intptr_t kHostWindow = 0x4711;

class PluginTest : public ::testing::Test {
protected:
    PluginTest();

    // The block the host keeps; valid once the filter or the test made one.
    ParameterBlock parameters() { return ParameterBlock(reinterpret_cast<uint8_t*>(*host.parameters())); }
    std::vector<uint8_t> parameterBytes() { return host.parameterBytes(kParameterBlockSize); }
    // Hands the host a block with a saved state, as after an earlier successful run.
    void giveSavedState(const KeyModelRecord& key, BackgroundSource backgroundSource, BlendMode blendMode, bool writeMatte,
                        bool startDialogPending = false);
    void storeBackground(const HostImage& picture);
    // A dialog run on image whose main window script drives after the start dialog's choice;
    // the window closes without OK or Cancel unless the script ends the run.
    int16_t interact(HostImage& image, const std::function<void(FilterPlugin&)>& script,
                     StartChoice choice = kOverNeutralGray);
    // The pixel at (x, y) of what the host's displayPixels drew.
    std::vector<uint8_t> screenPixel(int32_t x, int32_t y) const;

    FakePlatform platform;
    vkhost::ScriptedDialogs dialogs;
    PluginEnvironment environment{platform, dialogs};
    vkhost::EmulatedHost host;
    vkhost::HostOptions options;
};

} // namespace velokrom::testing
