#pragma once
#include <cstdint>

#include "composite/memory_image_access.h"

namespace velokrom::fingerprint {

struct Rgb8 {
    uint8_t r, g, b;
};

constexpr int32_t kSceneWidth = 48;
constexpr int32_t kSceneHeight = 32;

// Column ranges of the synthetic shot: the backing, a soft edge, the subject.
constexpr int32_t kBackingEnd = 20;
constexpr int32_t kEdgeEnd = 28;

// A shot of a subject in front of a noisy backing of the key colour, with a soft edge between
// them. Deterministic: the noise comes from a fixed generator seeded with the key colour.
RgbImage makeForeground(Rgb8 key);
// The picture the subject is composited over: smooth gradients in all three channels.
RgbImage makeBackground();

} // namespace velokrom::fingerprint
