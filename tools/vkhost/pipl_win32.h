#pragma once
// Reading a plug-in property list as a Windows host does before it loads the library: is it a
// filter this host can run (RGB, interface version 4.0 or older), and which export to call.
#include <cstdint>
#include <string>
#include <vector>

namespace velokrom::vkhost {

struct PiplFacts {
    bool wellFormed = false;  // header and every property inside the data
    uint32_t kind = 0;        // '8BFM' for a filter
    bool supportsRgb = false;
    int32_t interfaceVersion = 0;  // major in the high 16 bits
    std::string menuName;
    std::string category;
    std::string entry32;  // wx86
    std::string entry64;  // 8664
};

PiplFacts readPipl(const uint8_t* data, size_t size);

// Why this host will not run the plug-in, or empty when it will. is64Bit picks the entry.
std::string piplRefusal(const PiplFacts& facts, bool is64Bit);

constexpr uint32_t fourCharCode(const char (&code)[5]) {
    return static_cast<uint32_t>(static_cast<uint8_t>(code[0])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(code[1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(code[2])) << 8 | static_cast<uint8_t>(code[3]);
}

} // namespace velokrom::vkhost
