// A settings file as the user may load one: the record it holds becomes the live key, which
// then keys a picture and takes a tuning step with slider positions from the rest of the input.
#include "composite/memory_image_access.h"
#include "engine/settings_file.h"

using namespace velokrom;

namespace {

RgbImage picture(uint8_t seed) {
    RgbImage image(12, 4);
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x)
            for (int c = 0; c < 3; ++c) image.at(y, x)[c] = static_cast<uint8_t>(seed * (c + 1) + x * 23 + y * 61 + c * 80);
    return image;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    KeyModelRecord record;
    if (!parseSettingsRecord(data, size, record)) return 0;
    const uint8_t* rest = data + kSettingsFileSize;
    const size_t restSize = size - kSettingsFileSize;
    auto restByte = [&](size_t i) { return i < restSize ? rest[i] : static_cast<uint8_t>(0); };

    clearKeyModel();
    restoreLiveKey(record);
    // One engine for every input, as the plug-in keeps one across keys: a fresh one would
    // clear its 16 MB colour cache each time, which under the sanitizers costs more than the rest.
    static MemoryImageAccess engine(picture(0), picture(0));
    engine.rowPassThreads = 1;  // a thread started per pass would cost more than the pass itself
    engine.foreground = picture(restByte(0));
    engine.background = picture(restByte(1));
    engine.blendMode = static_cast<BlendMode>(restByte(2) % 3);
    engine.processImage(false, false);

    // A drag of Tune Colors over a few pixels, then the three sliders.
    engine.keyOperation = kTuneColors;
    engine.sampleDrag(DragPhase::Begin, restByte(3) % 12, restByte(4) % 4);
    engine.sampleDrag(DragPhase::Continue, restByte(5) % 12, restByte(6) % 4);
    engine.sampleDrag(DragPhase::End, restByte(7) % 12, restByte(8) % 4);
    engine.beginTuning();
    for (int32_t slider = 0; slider < 3; ++slider) {
        // -1000 .. 1000 in the dialog; anything here.
        const size_t at = 9 + 2 * static_cast<size_t>(slider);
        const auto position = static_cast<int16_t>(restByte(at) | restByte(at + 1) << 8);
        engine.adjustTuning(slider, static_cast<float>(position * 0.001));
    }
    engine.applyTuning();
    return 0;
}
