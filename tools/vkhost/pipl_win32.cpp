#include "pipl_win32.h"

#include <cstring>

namespace velokrom::vkhost {
namespace {

uint32_t u32At(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

std::string pascalString(const uint8_t* p, uint32_t length) {
    if (length == 0) return {};
    const uint32_t n = p[0] < length ? p[0] : length - 1;
    return std::string(reinterpret_cast<const char*>(p + 1), n);
}

std::string cString(const uint8_t* p, uint32_t length) {
    const void* nul = std::memchr(p, 0, length);
    const size_t n = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - p) : length;
    return std::string(reinterpret_cast<const char*>(p), n);
}

} // namespace

PiplFacts readPipl(const uint8_t* data, size_t size) {
    PiplFacts facts;
    // A word 1, version 0, the property count, then the properties.
    if (size < 10 || data[0] != 1 || data[1] != 0 || u32At(data + 2) != 0) return facts;
    const uint32_t count = u32At(data + 6);
    size_t at = 10;
    for (uint32_t i = 0; i < count; ++i) {
        if (size - at < 16) return facts;
        const uint32_t key = u32At(data + at + 4);
        const uint32_t length = u32At(data + at + 12);
        const size_t padded = (static_cast<size_t>(length) + 3) & ~static_cast<size_t>(3);
        if (length > size - at - 16) return facts;
        const uint8_t* value = data + at + 16;
        if (u32At(data + at) == fourCharCode("8BIM")) {
            if (key == fourCharCode("kind") && length >= 4) facts.kind = u32At(value);
            if (key == fourCharCode("mode") && length >= 1) facts.supportsRgb = (value[0] & 0x10) != 0;
            if (key == fourCharCode("vers") && length >= 4) facts.interfaceVersion = static_cast<int32_t>(u32At(value));
            if (key == fourCharCode("name")) facts.menuName = pascalString(value, length);
            if (key == fourCharCode("catg")) facts.category = pascalString(value, length);
            if (key == fourCharCode("wx86")) facts.entry32 = cString(value, length);
            if (key == fourCharCode("8664")) facts.entry64 = cString(value, length);
        }
        // The last property's padding may be missing.
        at += 16 + (padded <= size - at - 16 ? padded : length);
    }
    facts.wellFormed = true;
    return facts;
}

std::string piplRefusal(const PiplFacts& facts, bool is64Bit) {
    if (!facts.wellFormed) return "the plug-in property list is malformed";
    if (facts.kind != fourCharCode("8BFM")) return "the plug-in is not a filter";
    if (!facts.supportsRgb) return "the filter does not work on RGB images";
    if (facts.interfaceVersion > 0x00040000) return "the filter needs a newer interface than 4.0";
    const std::string& entry = is64Bit ? facts.entry64 : facts.entry32;
    if (entry.empty()) return is64Bit ? "the filter has no 64-bit entry" : "the filter has no 32-bit entry";
    return {};
}

} // namespace velokrom::vkhost
