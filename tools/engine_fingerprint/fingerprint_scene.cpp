#include "fingerprint_scene.h"

#include <algorithm>

namespace velokrom::fingerprint {
namespace {

uint8_t clampByte(int32_t v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

// A small linear congruential generator: the same numbers on every target.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed) {}
    int32_t next(int32_t amplitude) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int32_t>((state_ >> 16) % static_cast<uint32_t>(2 * amplitude + 1)) - amplitude;
    }

private:
    uint32_t state_;
};

Rgb8 subjectColor(int32_t row, int32_t col) {
    return {clampByte(210 - row * 3), clampByte(150 + col - kEdgeEnd), clampByte(110 + row * 2 - col)};
}

} // namespace

RgbImage makeForeground(Rgb8 key) {
    RgbImage image(kSceneWidth, kSceneHeight);
    Noise noise(static_cast<uint32_t>(key.r) << 16 | static_cast<uint32_t>(key.g) << 8 | key.b);
    for (int32_t row = 0; row < kSceneHeight; ++row) {
        for (int32_t col = 0; col < kSceneWidth; ++col) {
            const Rgb8 backing{clampByte(key.r + noise.next(6)), clampByte(key.g + noise.next(6)),
                               clampByte(key.b + noise.next(6))};
            const Rgb8 subject = subjectColor(row, col);
            // Weight of the subject in 1/8 steps: 0 on the backing, 8 on the subject.
            const int32_t w = std::clamp(col - kBackingEnd, 0, 8);
            uint8_t* p = image.at(row, col);
            p[0] = static_cast<uint8_t>((backing.r * (8 - w) + subject.r * w) / 8);
            p[1] = static_cast<uint8_t>((backing.g * (8 - w) + subject.g * w) / 8);
            p[2] = static_cast<uint8_t>((backing.b * (8 - w) + subject.b * w) / 8);
        }
    }
    return image;
}

RgbImage makeBackground() {
    RgbImage image(kSceneWidth, kSceneHeight);
    for (int32_t row = 0; row < kSceneHeight; ++row) {
        for (int32_t col = 0; col < kSceneWidth; ++col) {
            uint8_t* p = image.at(row, col);
            p[0] = static_cast<uint8_t>(col * 5);
            p[1] = static_cast<uint8_t>(row * 7 + 20);
            p[2] = static_cast<uint8_t>((col + row) * 3);
        }
    }
    return image;
}

} // namespace velokrom::fingerprint
