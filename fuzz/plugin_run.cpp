#include "plugin_run.h"

#include "composite/memory_image_access.h"
#include "host_images.h"

namespace velokrom::fuzzing {

const char* const kBackgroundPath = "C:\\ZELVARN\\VELOKROM.BKG";

vkhost::HostImage smallPicture(int32_t width, int32_t height, int32_t planes) {
    vkhost::HostImage image(width, height, planes);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* p = image.at(y, x);
            const bool subject = x > width / 3 && x < 2 * width / 3 && y > height / 3;
            p[0] = static_cast<uint8_t>(subject ? 200 + x % 40 : 30 + (x + y) % 9);
            p[1] = static_cast<uint8_t>(subject ? 50 + y % 30 : 170 + (3 * x + y) % 13);
            p[2] = static_cast<uint8_t>(subject ? 70 : 40 + y % 11);
            for (int32_t c = 3; c < planes; ++c) p[c] = static_cast<uint8_t>(x * 11 + y * 3 + c * 50);
        }
    return image;
}

namespace {

// Auto Setup on the backing of a 16 x 8 picture, made once.
const KeyModelRecord& backingKey() {
    static const KeyModelRecord key = [] {
        const vkhost::HostImage picture = smallPicture(16, 8, 3);
        clearKeyModel();
        MemoryImageAccess engine(testing::rgbOf(picture), RgbImage(picture.width, picture.height, 127));
        engine.keyOperation = kAutoSetup;
        engine.sampleDrag(0, 0, 0);
        for (int32_t x = 1; x < picture.width; ++x) engine.sampleDrag(1, x, x % 2);
        engine.sampleDrag(2, picture.width - 1, 1);
        return saveLiveKey();
    }();
    return key;
}

} // namespace

std::vector<uint8_t> savedStateBlock(int32_t backgroundSource, int32_t blendMode, bool writeMatte) {
    testing::SavedSettings settings;
    settings.backgroundSource = backgroundSource;
    settings.blendMode = blendMode;
    settings.writeMatteToAlpha = writeMatte;
    return testing::savedParameterBlock(backingKey(), settings);
}

PluginRun::PluginRun()
    : host([this](int16_t selector, void* record, intptr_t* data, int16_t* result) {
          pluginEntry(selector, record, data, result, environment);
      }) {
    platform.directories.insert("C:\\ZELVARN");
    // A repeated run shows nothing: a small screen spares clearing megabytes per input.
    options.screenWidth = options.screenHeight = 16;
}

int16_t PluginRun::repeat(const std::vector<uint8_t>& block, vkhost::HostImage& image) {
    host.restoreParameters(block);
    return host.runFilter(image, options, false);
}

} // namespace velokrom::fuzzing
