// The two run choices the parameter block keeps as raw 32-bit words: what a block written by
// another version, or damaged, reads as, and that writing them back changes no other byte.
#include <gtest/gtest.h>

#include <vector>

#include "engine/byte_order.h"
#include "host/parameter_block.h"

namespace velokrom {
namespace {

constexpr size_t kBackgroundSourceAt = 1508, kBlendModeAt = 1512;

TEST(ParameterBlockChoices, OnlyTheSavedImageWordReadsAsTheSavedBackgroundAnyOtherAsGrey) {
    const struct {
        int32_t raw;
        BackgroundSource expected;
    } cases[] = {{0, kBackgroundSaved}, {1, kBackgroundNeutralGray}, {2, kBackgroundNeutralGray},
                 {-1, kBackgroundNeutralGray}, {0x100, kBackgroundNeutralGray}};
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes(kParameterBlockSize, 0);
        putU32(bytes.data() + kBackgroundSourceAt, static_cast<uint32_t>(c.raw));
        EXPECT_EQ(ParameterBlock(bytes.data()).backgroundSource(), c.expected) << c.raw;
    }
}

TEST(ParameterBlockChoices, BlendModesRoundTripUnchangedUnknownOnesIncludedAndTouchNoOtherByte) {
    for (int32_t raw : {0, 1, 2, 7, -3}) {
        std::vector<uint8_t> bytes(kParameterBlockSize, 0xA5);
        putU32(bytes.data() + kBlendModeAt, static_cast<uint32_t>(raw));
        const std::vector<uint8_t> before = bytes;
        ParameterBlock block(bytes.data());
        const BlendMode mode = block.blendMode();
        EXPECT_EQ(static_cast<int32_t>(mode), raw);
        block.setBlendMode(mode);
        block.setBackgroundSource(block.backgroundSource());
        EXPECT_EQ(getI32(bytes.data() + kBlendModeAt), raw);
        EXPECT_EQ(getI32(bytes.data() + kBackgroundSourceAt), 1);  // 0xA5A5A5A5 read as grey, written as 1
        for (size_t i = 0; i < kParameterBlockSize; ++i) {
            if (i >= kBackgroundSourceAt && i < kBlendModeAt + 4) continue;
            ASSERT_EQ(bytes[i], before[i]) << i;
        }
    }
}

} // namespace
} // namespace velokrom
