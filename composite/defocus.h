#pragma once
#include <cstdint>

#include "engine/pixel.h"

namespace velokrom {

// The defocused background: a 32 x 32 box blur (columns x - 15 .. x + 16, rows y - 16 .. y + 15,
// edges replicated) built from horizontally filtered rows kept in a ring of 32 rows.
constexpr int32_t kDefocusRingRows = 32;
constexpr int32_t kDefocusShift = 5;  // 2^5 = 32 columns, each word pre-shifted by 5
constexpr int32_t kMaxBoxShift = 8;   // widest horizontal window boxFilterRow accepts: 256 pixels

// Column sums of the ring: per pixel and channel (words 0, 1, 2) the sum of that word over
// ringRows rows of width pixels stored one after another; sums holds 3 values per pixel.
void sumRingRows(const Pixel16* ring, uint32_t* sums, int32_t ringRows, int32_t width);

// A row's words enter the column sums or leave them again.
void addToColumnSums(uint32_t* sums, const Pixel16* row, int32_t width);
void takeFromColumnSums(uint32_t* sums, const Pixel16* row, int32_t width);

// The blurred row: each column sum shifted right by 8, at byte 0, 1, 2 of each 3-byte pixel.
void storeColumnSums(const uint32_t* sums, uint8_t* destination, int32_t width);

} // namespace velokrom
