#include "host_images.h"

#include <cstring>

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
