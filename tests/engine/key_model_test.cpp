#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/byte_order.h"
#include "key_fixture.h"

namespace velokrom {
namespace {

using KeyModelRecords = KeyTest;

KeyModelRecord patternedRecord() {
    KeyModelRecord r;
    for (int i = 0; i < kKeyModelRecordSize; ++i) r.bytes[i] = static_cast<uint8_t>((i * 7 + 3) % 255 + 1);  // no NUL by accident
    // Terminate both texts early; bytes after the NUL are zero in a saved record.
    std::memset(r.bytes + 24 + 10, 0, 246);
    std::memset(r.bytes + 280 + 200, 0, 56);
    return r;
}

TEST_F(KeyModelRecords, RestoreThenSaveKeepsEveryByte) {
    const KeyModelRecord in = patternedRecord();
    restoreLiveKey(in);
    const KeyModelRecord out = saveLiveKey();
    EXPECT_TRUE(sameKey(in, out));
}

TEST_F(KeyModelRecords, FieldsSitAtTheirOffsetsLittleEndian) {
    KeyModel& m = liveKeyModel();
    m.keyCenter[1] = 1.5f;
    m.surfaceOptions = 0x01020304;
    m.reservedWord1 = 5;
    std::strcpy(m.reservedText1, "abc");
    m.reservedShorts[3] = 0xBEEF;
    m.innerSurface[0] = 2.0f;
    m.middleSurface[65] = 3.0f;
    m.outerSurface[1] = 4.0f;
    m.colorAdjust[23] = 5.0f;
    m.reservedTail[11] = 0xCAFEF00D;
    const KeyModelRecord r = saveLiveKey();
    EXPECT_EQ(getF32(r.bytes + 4), 1.5f);
    EXPECT_EQ(std::vector<uint8_t>(r.bytes + 12, r.bytes + 16), (std::vector<uint8_t>{4, 3, 2, 1}));
    EXPECT_EQ(getU32(r.bytes + 20), 5u);
    EXPECT_STREQ(reinterpret_cast<const char*>(r.bytes + 280), "abc");
    EXPECT_EQ(getU16(r.bytes + 542), 0xBEEF);
    EXPECT_EQ(getF32(r.bytes + 544), 2.0f);
    EXPECT_EQ(getF32(r.bytes + 808 + 65 * 4), 3.0f);
    EXPECT_EQ(getF32(r.bytes + 1072 + 4), 4.0f);
    EXPECT_EQ(getF32(r.bytes + 1336 + 23 * 4), 5.0f);
    EXPECT_EQ(getU32(r.bytes + 1476), 0xCAFEF00Du);
}

TEST_F(KeyModelRecords, TextsAreCopiedUpToTheirNulAndAlwaysTerminated) {
    KeyModelRecord r = patternedRecord();
    std::memset(r.bytes + 24, 'x', 256);  // no NUL at all in the first text
    r.bytes[24 + 256 + 5] = 0;            // the second text ends after 5 characters
    restoreLiveKey(r);
    EXPECT_EQ(std::strlen(liveKeyModel().reservedText0), 255u);
    const KeyModelRecord out = saveLiveKey();
    EXPECT_EQ(out.bytes[24 + 255], 0);
    for (int i = 6; i < 256; ++i) EXPECT_EQ(out.bytes[280 + i], 0) << i;
}

TEST_F(KeyModelRecords, ClearKeepsTextsAdjustmentsAndTailWords) {
    restoreLiveKey(patternedRecord());
    const KeyModel before = liveKeyModel();
    clearKeyModel();
    const KeyModel& m = liveKeyModel();
    EXPECT_EQ(m.keyCenter[0], 0.0f);
    EXPECT_EQ(m.surfaceOptions, 0u);
    EXPECT_EQ(m.reservedWord0, 0u);
    EXPECT_EQ(m.reservedWord1, 5u);
    EXPECT_EQ(m.reservedShorts[2], 0);
    EXPECT_EQ(m.reservedShorts[3], before.reservedShorts[3]);
    for (int v = 0; v < kVertexCount; ++v) EXPECT_EQ(m.outerSurface[v], 0.0f);
    EXPECT_STREQ(m.reservedText0, before.reservedText0);
    EXPECT_EQ(std::memcmp(m.colorAdjust, before.colorAdjust, sizeof m.colorAdjust), 0);
    EXPECT_EQ(std::memcmp(m.reservedTail, before.reservedTail, sizeof m.reservedTail), 0);
}

} // namespace
} // namespace velokrom
