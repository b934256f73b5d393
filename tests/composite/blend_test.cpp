#include <gtest/gtest.h>

#include "composite/blend.h"

namespace velokrom {
namespace {

TEST(CompositeChannel, EqualsTheBlendInWideArithmeticAsDoesItsPrecomputedForm) {
    // Every alpha and background byte against result words of every low byte and a spread of
    // high bytes, plus arbitrary background words: the 32-bit form is the 64-bit division, and
    // compositeOver with fixedOver's weight and offset is the same over whole background bytes.
    auto wide = [](uint32_t alpha, uint32_t background, uint32_t result) {
        const uint64_t sum = uint64_t{65535u - alpha} * background + uint64_t{alpha} * result + 65535u * 128u;
        const uint64_t value = sum / (65535u * 256u);
        return value > 255 ? 255 : value;
    };
    const uint16_t results[] = {0, 1, 0x7f, 0x80, 0xff, 0x100, 0x1234, 0x7fff, 0x8000, 0xabcd, 0xfe80, 0xff00, 0xffff};
    for (uint32_t alpha = 0; alpha < 65536; ++alpha)
        for (uint16_t result : results) {
            const FixedOver over = fixedOver(uint16_t(alpha), result);
            for (uint32_t back = 0; back < 256; back += 17) {
                const uint32_t background = back << 8 | (alpha * 7 + result) % 256;
                ASSERT_EQ(compositeChannel(uint16_t(alpha), uint16_t(background), result), wide(alpha, background, result))
                    << alpha << " " << background << " " << result;
                ASSERT_EQ(compositeOver(over.weight, over.offset, uint8_t(back)), wide(alpha, back << 8, result))
                    << alpha << " " << back << " " << result;
            }
        }
}

} // namespace
} // namespace velokrom
