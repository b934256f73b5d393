#include "host_images.h"

#include <cstring>

#include "engine/byte_order.h"
#include "host/parameter_block.h"

namespace velokrom::testing {

Rect wholeOf(const vkhost::HostImage& image) {
    return Rect{0, 0, static_cast<int16_t>(image.height), static_cast<int16_t>(image.width)};
}

RgbImage rgbOf(const vkhost::HostImage& image, const Rect& area) {
    RgbImage rgb(area.right - area.left, area.bottom - area.top);
    for (int32_t y = 0; y < rgb.height; ++y)
        for (int32_t x = 0; x < rgb.width; ++x) std::memcpy(rgb.at(y, x), image.at(area.top + y, area.left + x), 3);
    return rgb;
}

RgbImage rgbOf(const vkhost::HostImage& image) { return rgbOf(image, wholeOf(image)); }

std::vector<uint8_t> backgroundFile(const vkhost::HostImage& picture, const Rect& area) {
    const RgbImage rgb = rgbOf(picture, area);
    std::vector<uint8_t> bytes(54 + rgb.pixels.size());
    std::memcpy(bytes.data(), "Velokrom Bkg File, copyright Zelvarn Labs", 42);
    putU32(&bytes[42], 1);
    putU32(&bytes[46], static_cast<uint32_t>(rgb.width));
    putU32(&bytes[50], static_cast<uint32_t>(rgb.height));
    std::copy(rgb.pixels.begin(), rgb.pixels.end(), bytes.begin() + 54);
    return bytes;
}

RgbImage expectedComposite(const RgbImage& foreground, const RgbImage& background, const KeyModelRecord& key,
                           int32_t blendMode, bool neutralGray, std::vector<uint8_t>* matte) {
    clearKeyModel();
    restoreLiveKey(key);
    MemoryImageAccess engine(foreground, neutralGray ? RgbImage(foreground.width, foreground.height, 127) : background);
    engine.blendMode = blendMode;
    if (neutralGray) {
        engine.defocused = RgbImage(foreground.width, foreground.height, 127);
    } else if (blendMode == kBlendDefocused) {
        EXPECT_TRUE(engine.buildDefocusedBackground());
    }
    EXPECT_TRUE(engine.processImage(false, false));
    if (matte) *matte = engine.matte;
    return engine.output;
}

std::vector<uint8_t> savedParameterBlock(const KeyModelRecord& key, const SavedSettings& settings) {
    std::vector<uint8_t> bytes(kParameterBlockSize, 0);
    ParameterBlock block(bytes.data());
    block.initialise();
    block.setKeyModel(key);
    block.setStateSaved(true);
    block.setStartDialogPending(settings.startDialogPending);
    block.setBackgroundSource(settings.backgroundSource);
    block.setBlendMode(settings.blendMode);
    const uint16_t gray[4] = {32767, 32767, 32767, 65535};
    block.setSolidColor(gray);
    block.setWriteMatteToAlpha(settings.writeMatteToAlpha);
    return bytes;
}

} // namespace velokrom::testing
