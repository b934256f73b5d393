#include "screen_color.h"

namespace velokrom {

Rgb8 screenColor(const Color16& color) {
    return {static_cast<uint8_t>(color.red >> 8), static_cast<uint8_t>(color.green >> 8),
            static_cast<uint8_t>(color.blue >> 8)};
}

uint16_t engineChannel(uint8_t value) { return static_cast<uint16_t>(value << 8); }

PackedColor packedColor(const Rgb8& color) {
    return static_cast<PackedColor>(color.red) | static_cast<PackedColor>(color.green) << 8 |
           static_cast<PackedColor>(color.blue) << 16;
}

Rgb8 unpackedColor(PackedColor color) {
    return {static_cast<uint8_t>(color & 0xFF), static_cast<uint8_t>(color >> 8 & 0xFF),
            static_cast<uint8_t>(color >> 16 & 0xFF)};
}

} // namespace velokrom
