#pragma once
#include <cstdint>

namespace velokrom {

// One engine pixel: four unsigned 16-bit words. Red, green, blue, and a fourth word that is
// alpha in keyed results. An 8-bit image value v enters the engine as v << 8.
struct Pixel16 {
    uint16_t red;
    uint16_t green;
    uint16_t blue;
    uint16_t fourth;
};
static_assert(sizeof(Pixel16) == 8, "rows of Pixel16 are packed 8-byte pixels");

// Three 16-bit channels: a colour without its fourth word.
struct Color16 {
    uint16_t red;
    uint16_t green;
    uint16_t blue;
};

} // namespace velokrom
