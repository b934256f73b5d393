#pragma once
#include <cstdint>

namespace velokrom {

// One composite channel: the keyed result word over the background word, weighted by alpha
// (0 transparent .. 65535 opaque), as the exact blend scaled to 8 bits and rounded half up:
//   ((65535 - alpha) * background + alpha * result + 65535 * 128) / (65535 * 256), at most 255.
// Opaque keeps the result's byte, transparent shows the background's byte, nothing loses a step.
// The sum needs 33 bits; it is divided in two steps that stay within 32 bits on every target:
// with each word split as 256 * high + low, the sum is 256 * m + t, and
// floor((256 m + t) / (256 * 65535)) = floor((m + floor(t / 256)) / 65535).
inline uint8_t compositeChannel(uint16_t alpha, uint16_t backgroundWord, uint16_t resultWord) {
    const uint32_t weight = 65535u - alpha;
    const uint32_t m = weight * (backgroundWord >> 8) + alpha * static_cast<uint32_t>(resultWord >> 8);
    const uint32_t t = weight * (backgroundWord & 0xffu) + alpha * static_cast<uint32_t>(resultWord & 0xffu) + 65535u * 128u;
    const uint32_t value = (m + (t >> 8)) / 65535u;
    return static_cast<uint8_t>(value > 255 ? 255 : value);
}

// One channel of a keyed pixel whose alpha and result word are known before its background:
// over the background byte v (the word v << 8) it composites to (weight * v + offset) / 65535,
// compositeChannel's value with the low byte of the background word 0.
struct FixedOver {
    uint32_t weight;
    uint32_t offset;
};
inline FixedOver fixedOver(uint16_t alpha, uint16_t resultWord) {
    const uint32_t a = alpha;
    return {65535u - a, a * (resultWord >> 8u) + ((a * (resultWord & 0xffu) + 65535u * 128u) >> 8)};
}
inline uint8_t compositeOver(uint32_t weight, uint32_t offset, uint8_t background) {
    const uint32_t value = (weight * background + offset) / 65535u;
    return static_cast<uint8_t>(value > 255 ? 255 : value);
}

// The matte byte of an alpha word.
inline uint8_t matteByte(uint16_t alpha) { return static_cast<uint8_t>(alpha >> 8); }

} // namespace velokrom
