#include "host_images.h"

#include <algorithm>
#include <cstring>

#include "engine/byte_order.h"
#include "host/parameter_block.h"

namespace velokrom::testing {

vkhost::HostImage greenScreen(int32_t width, int32_t height, int32_t planes) {
    vkhost::HostImage image(width, height, planes);
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

vkhost::HostImage backgroundPicture(int32_t width, int32_t height) {
    vkhost::HostImage image(width, height, 3);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* p = image.at(y, x);
            p[0] = static_cast<uint8_t>(x * 255 / std::max(width - 1, 1));
            p[1] = static_cast<uint8_t>(y * 255 / std::max(height - 1, 1));
            p[2] = static_cast<uint8_t>((x * y) % 256);
        }
    return image;
}

KeyModelRecord backingKey(const vkhost::HostImage& image) {
    clearKeyModel();
    MemoryImageAccess engine(rgbOf(image), RgbImage(image.width, image.height, 127));
    engine.keyOperation = kAutoSetup;
    std::vector<DragPoint> points{{0, 0}};
    for (int32_t x = 1; x < image.width; ++x) points.push_back({x, x % 3});
    replayDrag(engine, points);
    return saveLiveKey();
}

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
                           BlendMode blendMode, bool neutralGray, std::vector<uint8_t>* matte) {
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
