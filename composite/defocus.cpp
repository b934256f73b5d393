// The defocused background: horizontal running sums per row, then running column sums over a
// ring of the 32 filtered rows around each output row. Pure integer arithmetic, so every build
// produces the same bytes.
#include "defocus.h"

#include <algorithm>
#include <cstring>

#include "composite/keyer_engine.h"
#include "pixel_rows.h"

namespace velokrom {
namespace {

// The blur is per channel, so it works on byte positions 0, 1, 2 whatever the channel order.
constexpr ChannelOrder kBytePositions{0, 1, 2};

inline int32_t clampIndex(int32_t i, int32_t last) { return i < 0 ? 0 : (i > last ? last : i); }

} // namespace

bool KeyerEngine::boxFilterRow(Pixel16* row, int32_t width, int32_t shift) {
    if (shift < 0 || shift > kMaxBoxShift) return false;
    if (width <= 0) return true;
    const int32_t n = 1 << shift, half = (n - 1) / 2, last = width - 1;
    const int32_t mask = n - 1;
    // Padded pixel i is row pixel clamp(i - half) with each word shifted right by shift. The
    // window keeps the n padded pixels of the running sum, slot i mod n, because the row is
    // overwritten behind the sum; the pixels ahead of it are still the originals.
    uint16_t window[1 << kMaxBoxShift][3];
    uint32_t sum[3] = {0, 0, 0};
    auto padded = [&](int32_t i, uint16_t out[3]) {
        const Pixel16& p = row[clampIndex(i - half, last)];
        out[0] = static_cast<uint16_t>(p.red >> shift);
        out[1] = static_cast<uint16_t>(p.green >> shift);
        out[2] = static_cast<uint16_t>(p.blue >> shift);
    };
    auto store = [&](Pixel16& p) {
        p.red = static_cast<uint16_t>(sum[0] >> shift);
        p.green = static_cast<uint16_t>(sum[1] >> shift);
        p.blue = static_cast<uint16_t>(sum[2] >> shift);
    };
    for (int32_t i = 0; i < n; ++i) {
        padded(i, window[i]);
        for (int c = 0; c < 3; ++c) sum[c] += window[i][c];
    }
    store(row[0]);
    for (int32_t x = 1; x < width; ++x) {
        uint16_t* slot = window[(x - 1) & mask];  // padded pixel x - 1 leaves, x - 1 + n enters
        uint16_t entering[3];
        padded(x - 1 + n, entering);
        for (int c = 0; c < 3; ++c) {
            sum[c] = sum[c] - slot[c] + entering[c];
            slot[c] = entering[c];
        }
        store(row[x]);
    }
    return true;
}

namespace {

template <typename Operation>
void applyToColumnSums(uint32_t* sums, const Pixel16* row, int32_t width, Operation operation) {
    for (int32_t x = 0; x < width; ++x, sums += 3) {
        sums[0] = operation(sums[0], row[x].red);
        sums[1] = operation(sums[1], row[x].green);
        sums[2] = operation(sums[2], row[x].blue);
    }
}

} // namespace

void addToColumnSums(uint32_t* sums, const Pixel16* row, int32_t width) {
    applyToColumnSums(sums, row, width, [](uint32_t sum, uint16_t word) { return sum + word; });
}

void takeFromColumnSums(uint32_t* sums, const Pixel16* row, int32_t width) {
    applyToColumnSums(sums, row, width, [](uint32_t sum, uint16_t word) { return sum - word; });
}

void sumRingRows(const Pixel16* ring, uint32_t* sums, int32_t ringRows, int32_t width) {
    const size_t count = static_cast<size_t>(width);
    std::fill(sums, sums + 3 * count, 0u);
    for (int32_t r = 0; r < ringRows; ++r) addToColumnSums(sums, ring + static_cast<size_t>(r) * count, width);
}

void storeColumnSums(const uint32_t* sums, uint8_t* destination, int32_t width) {
    for (size_t i = 0; i < 3 * static_cast<size_t>(width); ++i) destination[i] = static_cast<uint8_t>(sums[i] >> 8);
}

bool KeyerEngine::buildDefocusedBackground() {
    const int32_t width = imageWidth, height = imageHeight;
    if (width <= 0 || height <= 0) return true;
    uint8_t* outputRow = workRow8();
    const size_t rowPixels = static_cast<size_t>(width);
    // The ring of filtered rows, then the running column sums over it.
    const size_t ringBytes = rowPixels * kDefocusRingRows * sizeof(Pixel16);
    void* memory = allocate(ringBytes + rowPixels * 3 * sizeof(uint32_t));
    if (memory == nullptr) {
        doneWorkRow8();
        return false;
    }
    uint8_t* block = static_cast<uint8_t*>(lock(memory));
    Pixel16* ring = reinterpret_cast<Pixel16*>(block);
    uint32_t* sums = reinterpret_cast<uint32_t*>(block + ringBytes);
    auto ringRow = [&](int32_t k) { return ring + static_cast<size_t>(k) * rowPixels; };
    auto copyRingRow = [&](int32_t from, int32_t to) { std::memcpy(ringRow(to), ringRow(from), rowPixels * sizeof(Pixel16)); };
    auto finish = [&](bool ok) {
        unlock(memory);
        release(memory);
        doneWorkRow8();
        return ok;
    };
    // Reads a background row into ring row k and filters it across. A row past the last image
    // row reads the last one instead, so small images never read outside the image.
    auto loadRow = [&](int32_t imageRow, int32_t k) {
        widenRow(backgroundRow(imageRow < height ? imageRow : height - 1, 0, width), ringRow(k), width, kBytePositions);
        doneBackgroundRow();
        return boxFilterRow(ringRow(k), width, kDefocusShift);
    };

    // Rows -16 .. 14 around output row 0: image row 0 seventeen times, then rows 1 to 14. The
    // last ring row stays empty until output row 0 brings row 15 into it. Progress answers are
    // ignored: the build always completes.
    int32_t nextRow = 0;
    for (int32_t k = 0; k < kDefocusRingRows - 1; ++k) {
        progress(k, kDefocusRingRows - 1);
        if (k == 0 || k > 16) {
            if (!loadRow(nextRow++, k)) return finish(false);
        } else {
            copyRingRow(0, k);
        }
    }
    progress(0, 0);
    std::memset(ringRow(kDefocusRingRows - 1), 0, rowPixels * sizeof(Pixel16));
    sumRingRows(ring, sums, kDefocusRingRows - 1, width);

    // Each output row brings row y + 15 into the slot of row y - 17, whose words leave the
    // column sums; past the bottom the last filtered row is repeated. The sums then cover rows
    // y - 16 .. y + 15: a constant cost per pixel, whatever the window's height.
    int32_t k = kDefocusRingRows - 1;
    for (int32_t y = 0; y < height; ++y) {
        progress(y, height);
        takeFromColumnSums(sums, ringRow(k), width);
        if (nextRow < height) {
            if (!loadRow(nextRow++, k)) return finish(false);
        } else {
            copyRingRow(k == 0 ? kDefocusRingRows - 1 : k - 1, k);
        }
        addToColumnSums(sums, ringRow(k), width);
        k = (k + 1) % kDefocusRingRows;
        storeColumnSums(sums, outputRow, width);
        putDefocusedRow(outputRow, y, 0, width);
    }
    progress(0, 0);
    return finish(true);
}

} // namespace velokrom
