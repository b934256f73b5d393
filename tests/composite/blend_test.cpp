#include <gtest/gtest.h>

#include "composite/blend.h"

namespace velokrom {
namespace {

TEST(CompositeChannel, OpaqueKeepsTheResultAndTransparentShowsTheBackground) {
    for (int v = 0; v < 256; ++v) {
        const uint16_t word = static_cast<uint16_t>(v << 8);
        EXPECT_EQ(compositeChannel(65535, 0x7f00, word), v) << v;
        EXPECT_EQ(compositeChannel(65535, 0xff00, word), v) << v;
        EXPECT_EQ(compositeChannel(0, word, 0xffff), v) << v;
        EXPECT_EQ(compositeChannel(0, word, 0), v) << v;
    }
}

TEST(CompositeChannel, RoundsHalfUpAndClampsTheTopOfTheWordRange) {
    // Half way between 0 and 255 is 127.5: rounded up.
    EXPECT_EQ(compositeChannel(32768, 0, 0xff00), 128);
    EXPECT_EQ(compositeChannel(32767, 0, 0xff00), 127);
    // A result word above 255 << 8 (a colour pushed out to the cube's edge) stays a byte.
    EXPECT_EQ(compositeChannel(65535, 0, 0xffff), 255);
    EXPECT_EQ(compositeChannel(65535, 0, 0xff7f), 255);
    EXPECT_EQ(compositeChannel(65535, 0, 0xfe80), 255);  // 254.5 rounds up
    EXPECT_EQ(compositeChannel(65535, 0, 0xfe7f), 254);
}

TEST(MatteByte, IsTheHighByteOfAlpha) {
    EXPECT_EQ(matteByte(65535), 255);
    EXPECT_EQ(matteByte(32767), 127);
    EXPECT_EQ(matteByte(255), 0);
    EXPECT_EQ(matteByte(256), 1);
}

} // namespace
} // namespace velokrom
