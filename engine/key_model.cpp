#include "key_model.h"

#include <cstring>

#include "byte_order.h"

namespace velokrom {
namespace {

// Field offsets of the stored record.
constexpr int kCenterAt = 0, kOptionsAt = 12, kReserved0At = 16, kReserved1At = 20, kText0At = 24,
              kText1At = 280, kShortsAt = 536, kInnerAt = 544, kMiddleAt = 808, kOuterAt = 1072,
              kAdjustAt = 1336, kTailAt = 1432;
constexpr int kTextSize = 256;
static_assert(kTailAt + 48 == kKeyModelRecordSize, "fields fill the record");

// Copies a text up to and including its NUL and zeroes the rest; a text that fills its
// 256 bytes without a NUL is cut to 255 characters.
void copyText(char* to, const char* from) {
    size_t n = 0;
    while (n < kTextSize - 1 && from[n] != '\0') ++n;
    std::memcpy(to, from, n);
    std::memset(to + n, 0, kTextSize - n);
}

void putSurface(uint8_t* p, const KeySurface& s) {
    for (int i = 0; i < kVertexCount; ++i) putF32(p + 4 * i, s[i]);
}
void getSurface(const uint8_t* p, KeySurface& s) {
    for (int i = 0; i < kVertexCount; ++i) s[i] = getF32(p + 4 * i);
}

} // namespace

KeyModel& liveKeyModel() {
    static KeyModel model{};
    return model;
}

void clearKeyModel() {
    KeyModel& m = liveKeyModel();
    m.keyCenter[0] = m.keyCenter[1] = m.keyCenter[2] = 0.0f;
    m.surfaceOptions = 0;
    m.reservedWord0 = 0;
    m.reservedWord1 = 5;
    m.reservedShorts[0] = m.reservedShorts[1] = m.reservedShorts[2] = 0;
    m.innerSurface.fill(0.0f);
    m.middleSurface.fill(0.0f);
    m.outerSurface.fill(0.0f);
}

void saveKeyModel(const KeyModel& m, KeyModelRecord& record) {
    uint8_t* p = record.bytes;
    for (int i = 0; i < 3; ++i) putF32(p + kCenterAt + 4 * i, m.keyCenter[i]);
    putU32(p + kOptionsAt, m.surfaceOptions);
    putU32(p + kReserved0At, m.reservedWord0);
    putU32(p + kReserved1At, m.reservedWord1);
    char text[kTextSize];
    copyText(text, m.reservedText0);
    std::memcpy(p + kText0At, text, kTextSize);
    copyText(text, m.reservedText1);
    std::memcpy(p + kText1At, text, kTextSize);
    for (int i = 0; i < 4; ++i) putU16(p + kShortsAt + 2 * i, m.reservedShorts[i]);
    putSurface(p + kInnerAt, m.innerSurface);
    putSurface(p + kMiddleAt, m.middleSurface);
    putSurface(p + kOuterAt, m.outerSurface);
    for (int i = 0; i < 24; ++i) putF32(p + kAdjustAt + 4 * i, m.colorAdjust[i]);
    for (int i = 0; i < 12; ++i) putU32(p + kTailAt + 4 * i, m.reservedTail[i]);
}

void restoreKeyModel(const KeyModelRecord& record, KeyModel& m) {
    const uint8_t* p = record.bytes;
    for (int i = 0; i < 3; ++i) m.keyCenter[i] = getF32(p + kCenterAt + 4 * i);
    m.surfaceOptions = getU32(p + kOptionsAt);
    m.reservedWord0 = getU32(p + kReserved0At);
    m.reservedWord1 = getU32(p + kReserved1At);
    char text[kTextSize];
    std::memcpy(text, p + kText0At, kTextSize);
    copyText(m.reservedText0, text);
    std::memcpy(text, p + kText1At, kTextSize);
    copyText(m.reservedText1, text);
    for (int i = 0; i < 4; ++i) m.reservedShorts[i] = getU16(p + kShortsAt + 2 * i);
    getSurface(p + kInnerAt, m.innerSurface);
    getSurface(p + kMiddleAt, m.middleSurface);
    getSurface(p + kOuterAt, m.outerSurface);
    for (int i = 0; i < 24; ++i) m.colorAdjust[i] = getF32(p + kAdjustAt + 4 * i);
    for (int i = 0; i < 12; ++i) m.reservedTail[i] = getU32(p + kTailAt + 4 * i);
}

} // namespace velokrom
