#pragma once
#include <cstdint>
#include <cstring>

namespace velokrom {

// Little-endian field access for stored records, independent of the host's byte order and
// of the alignment of the bytes.
inline void putU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void putU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void putF32(uint8_t* p, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    putU32(p, bits);
}
inline uint16_t getU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t getU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t getI32(const uint8_t* p) { return static_cast<int32_t>(getU32(p)); }
inline float getF32(const uint8_t* p) {
    const uint32_t bits = getU32(p);
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}

} // namespace velokrom
