#pragma once
#include <cstdint>

#include "engine/pixel.h"

namespace velokrom {

// The defocused background: a 32 x 32 box blur (columns x - 15 .. x + 16, rows y - 16 .. y + 15,
// edges replicated) built from horizontally filtered rows kept in a ring of 32 rows.
constexpr int32_t kDefocusRingRows = 32;
constexpr int32_t kDefocusShift = 5;  // 2^5 = 32 columns, each word pre-shifted by 5
constexpr int32_t kMaxBoxShift = 8;   // widest horizontal window boxFilterRow accepts: 256 pixels

// Per pixel and channel (words 0, 1, 2): the sum of that word over ringRows rows of width
// pixels stored one after another, shifted right by 8, stored at byte 0, 1, 2 of destination.
void sumRingRows(const Pixel16* ring, uint8_t* destination, int32_t ringRows, int32_t width);

} // namespace velokrom
