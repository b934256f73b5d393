#include "plugin_fixture.h"

namespace velokrom::testing {

PluginTest::PluginTest()
    : host([this](int16_t selector, void* record, intptr_t* data, int16_t* result) {
          pluginEntry(selector, record, data, result, environment);
      }) {
    options.hostWindow = kHostWindow;
}

void PluginTest::giveSavedState(const KeyModelRecord& key, BackgroundSource backgroundSource, BlendMode blendMode,
                                bool writeMatte, bool startDialogPending) {
    host.restoreParameters(savedParameterBlock(key, {backgroundSource, blendMode, writeMatte, startDialogPending}));
}

void PluginTest::storeBackground(const HostImage& picture) {
    platform.directories.insert(kBackgroundFolder);
    platform.files[kBackgroundPath] = backgroundFile(picture, wholeOf(picture));
}

int16_t PluginTest::interact(HostImage& image, const std::function<void(FilterPlugin&)>& script, StartChoice choice) {
    dialogs.startAnswers = {choice};
    dialogs.interactive = [&](MainWindow& window) { script(dynamic_cast<FilterPlugin&>(window)); };
    return host.runFilter(image, options, true);
}

std::vector<uint8_t> PluginTest::screenPixel(int32_t x, int32_t y) const {
    const uint8_t* p = host.screen().data() + (static_cast<size_t>(y) * options.screenWidth + x) * 3;
    return {p[0], p[1], p[2]};
}

} // namespace velokrom::testing
