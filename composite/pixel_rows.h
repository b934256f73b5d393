#pragma once
#include <cstdint>

#include "engine/pixel.h"

namespace velokrom {

// Byte index of red, green and blue within a 3-byte pixel.
struct ChannelOrder {
    int32_t red;
    int32_t green;
    int32_t blue;
};

// An 8-bit row enters the engine as value << 8 per channel, fourth word 0.
inline void widenRow(const uint8_t* source, Pixel16* destination, int32_t count, const ChannelOrder& order) {
    for (int32_t x = 0; x < count; ++x) {
        const uint8_t* p = source + 3 * x;
        destination[x] = {static_cast<uint16_t>(p[order.red] << 8), static_cast<uint16_t>(p[order.green] << 8),
                          static_cast<uint16_t>(p[order.blue] << 8), 0};
    }
}

} // namespace velokrom
