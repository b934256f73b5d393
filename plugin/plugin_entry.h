#pragma once
// The filter's entry, apart from the platform: the DLL's exported ENTRYPOINT and the native
// emulated host both call pluginEntry with the services of their platform.
#include <cstddef>
#include <cstdint>

#include "composite/color_zone_cache.h"
#include "platform/platform_services.h"
#include "ui/dialog_services.h"

namespace velokrom {

struct PluginEnvironment {
    PlatformServices& platform;
    DialogServices& dialogs;
    // The row pass's speed, handed to each run's engine: the defaults suit a person's pictures;
    // a harness that repeats a tiny picture millions of times spares the colour cache and threads.
    int32_t rowPassThreads = 0;
    size_t rowPassCacheBytes = ColorZoneCache::kMaxBytes;
};

// Answers one selector: record is the FilterRecord (an AboutRecord for selector 0), data the
// host's word that keeps our data handle, result receives the result code. Never throws.
void pluginEntry(int16_t selector, void* record, intptr_t* data, int16_t* result, PluginEnvironment& environment) noexcept;

} // namespace velokrom
