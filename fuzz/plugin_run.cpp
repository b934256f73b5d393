#include "plugin_run.h"

namespace velokrom::fuzzing {

namespace {

// Auto Setup on the backing of a 16 x 8 picture, made once.
const KeyModelRecord& backingKey() {
    static const KeyModelRecord key = testing::backingKey(testing::greenScreen(16, 8));
    return key;
}

} // namespace

std::vector<uint8_t> savedStateBlock(BackgroundSource backgroundSource, int32_t blendMode, bool writeMatte) {
    testing::SavedSettings settings;
    settings.backgroundSource = backgroundSource;
    settings.blendMode = static_cast<BlendMode>(blendMode);
    settings.writeMatteToAlpha = writeMatte;
    return testing::savedParameterBlock(backingKey(), settings);
}

PluginRun::PluginRun()
    : host([this](int16_t selector, void* record, intptr_t* data, int16_t* result) {
          pluginEntry(selector, record, data, result, environment);
      }) {
    platform.directories.insert(testing::kBackgroundFolder);
    // A repeated run shows nothing: a small screen spares clearing megabytes per input.
    options.screenWidth = options.screenHeight = 16;
    // The plain pass on the calling thread: the colour cache, tens of megabytes allocated and
    // freed by every run's engine, and a thread started per pass would cost a hundred times the
    // readers under test. Both passes read the host's buffers through the same rows; the cached
    // pass is fuzzed by the settings file's target, whose one engine keeps its cache.
    environment.rowPassThreads = 1;
    environment.rowPassCacheBytes = 0;
}

int16_t PluginRun::repeat(const std::vector<uint8_t>& block, vkhost::HostImage& image) {
    host.restoreParameters(block);
    return host.runFilter(image, options, false);
}

} // namespace velokrom::fuzzing
