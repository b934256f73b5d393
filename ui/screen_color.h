#pragma once
// Colours between the engine and the screen: the engine's 16-bit channels, the 8-bit colours a
// window paints, and the packed form (0x00BBGGRR) the system's colour chooser takes and gives.
#include <cstdint>

#include "engine/pixel.h"

namespace velokrom {

struct Rgb8 {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    bool operator==(const Rgb8& other) const {
        return red == other.red && green == other.green && blue == other.blue;
    }
};

using PackedColor = uint32_t;  // red in the low byte, then green, then blue

// The high byte of each channel.
Rgb8 screenColor(const Color16& color);
// An 8-bit value v as the engine holds it: v x 256 (255 becomes 65280).
uint16_t engineChannel(uint8_t value);

PackedColor packedColor(const Rgb8& color);
Rgb8 unpackedColor(PackedColor color);

} // namespace velokrom
