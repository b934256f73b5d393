#include "plugin_fixture.h"

namespace velokrom::testing {

const std::string kBackgroundPath = "C:\\ZELVARN\\VELOKROM.BKG";

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
    platform.directories.insert("C:\\ZELVARN");
    platform.files[kBackgroundPath] = backgroundFile(picture, wholeOf(picture));
}

} // namespace velokrom::testing
