#pragma once
#include <cstdint>

namespace velokrom {

// One composite channel: the keyed result word over the background word, weighted by alpha
// (0 transparent .. 65535 opaque), as the exact blend scaled to 8 bits and rounded half up.
// Opaque keeps the result's byte, transparent shows the background's byte, nothing loses a step.
inline uint8_t compositeChannel(uint16_t alpha, uint16_t backgroundWord, uint16_t resultWord) {
    constexpr uint64_t kScale = 65535u * 256u;  // 16776960: alpha range times the byte step
    const uint64_t blend = static_cast<uint64_t>(65535u - alpha) * backgroundWord +
                           static_cast<uint64_t>(alpha) * resultWord + kScale / 2;
    const uint64_t value = blend / kScale;
    return static_cast<uint8_t>(value > 255 ? 255 : value);
}

// The matte byte of an alpha word.
inline uint8_t matteByte(uint16_t alpha) { return static_cast<uint8_t>(alpha >> 8); }

} // namespace velokrom
