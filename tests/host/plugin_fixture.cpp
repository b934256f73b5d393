#include "plugin_fixture.h"

namespace velokrom::testing {

const std::string kBackgroundPath = "C:\\ZELVARN\\VELOKROM.BKG";

PluginTest::PluginTest()
    : host([this](int16_t selector, void* record, intptr_t* data, int16_t* result) {
          pluginEntry(selector, record, data, result, environment);
      }) {
    options.hostWindow = kHostWindow;
}

HostImage PluginTest::greenScreen(int32_t width, int32_t height, int32_t planes) {
    HostImage image(width, height, planes);
    const int32_t cx = width / 2, cy = height / 2 + 2, radius = std::min(width, height) / 3;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* p = image.at(y, x);
            const int32_t d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            if (d2 < radius * radius) {
                p[0] = static_cast<uint8_t>(180 + (x * 7) % 60);
                p[1] = static_cast<uint8_t>(40 + (y * 5) % 50);
                p[2] = static_cast<uint8_t>(60 + ((x + y) * 3) % 40);
            } else {
                p[0] = static_cast<uint8_t>(30 + (x + y) % 9);
                p[1] = static_cast<uint8_t>(170 + (x * 3 + y) % 13);
                p[2] = static_cast<uint8_t>(40 + (y * 2) % 11);
            }
            for (int32_t c = 3; c < planes; ++c) p[c] = static_cast<uint8_t>(x * 11 + y * 3 + c * 50);
        }
    return image;
}

HostImage PluginTest::backgroundPicture(int32_t width, int32_t height) {
    HostImage image(width, height, 3);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* p = image.at(y, x);
            p[0] = static_cast<uint8_t>(x * 255 / std::max(width - 1, 1));
            p[1] = static_cast<uint8_t>(y * 255 / std::max(height - 1, 1));
            p[2] = static_cast<uint8_t>((x * y) % 256);
        }
    return image;
}

KeyModelRecord PluginTest::backingKey(const HostImage& image) {
    clearKeyModel();
    MemoryImageAccess engine(rgbOf(image), RgbImage(image.width, image.height, 127));
    engine.keyOperation = kAutoSetup;
    engine.sampleDrag(0, 0, 0);
    for (int32_t x = 1; x < image.width; ++x) engine.sampleDrag(1, x, x % 3);
    engine.sampleDrag(2, image.width - 1, 2);
    return saveLiveKey();
}

void PluginTest::giveSavedState(const KeyModelRecord& key, int32_t backgroundSource, int32_t blendMode,
                                bool writeMatte, bool startDialogPending) {
    host.restoreParameters(savedParameterBlock(key, {backgroundSource, blendMode, writeMatte, startDialogPending}));
}

void PluginTest::storeBackground(const HostImage& picture) {
    platform.directories.insert("C:\\ZELVARN");
    platform.files[kBackgroundPath] = backgroundFile(picture, wholeOf(picture));
}

} // namespace velokrom::testing
