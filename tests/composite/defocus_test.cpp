#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "composite/defocus.h"
#include "composite/memory_image_access.h"

namespace velokrom {
namespace {

int clampTo(int i, int last) { return i < 0 ? 0 : (i > last ? last : i); }

// The blur by its definition, pixel by pixel: columns x - 15 .. x + 16 of each row summed from
// words pre-shifted by 5 and shifted by 5, then rows y - 16 .. y + 15 of those summed and shifted
// by 8; edges replicated.
RgbImage definedBlur(const RgbImage& image) {
    const int w = image.width, h = image.height;
    RgbImage out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                uint32_t column = 0;
                for (int r = y - 16; r <= y + 15; ++r) {
                    uint32_t across = 0;
                    for (int i = x - 15; i <= x + 16; ++i)
                        across += static_cast<uint32_t>(image.at(clampTo(r, h - 1), clampTo(i, w - 1))[c] << 8) >> 5;
                    column += across >> 5;
                }
                out.at(y, x)[c] = static_cast<uint8_t>(column >> 8);
            }
    return out;
}

// Records which background rows the build reads.
struct RowSpy : MemoryImageAccess {
    using MemoryImageAccess::MemoryImageAccess;
    std::vector<int32_t> rowsRead;
    uint8_t* backgroundRow(int32_t row, int32_t col, int32_t count) override {
        rowsRead.push_back(row);
        return MemoryImageAccess::backgroundRow(row, col, count);
    }
};

RgbImage randomImage(int w, int h, unsigned seed) {
    RgbImage image(w, h);
    std::mt19937 random(seed);
    for (auto& byte : image.pixels) byte = static_cast<uint8_t>(random());
    return image;
}

TEST(DefocusedBackground, MatchesTheDefinitionAtEverySizeWithoutLeavingTheImage) {
    const int sizes[][2] = {{1, 1}, {2, 3}, {5, 14}, {31, 15}, {32, 16}, {40, 33}, {70, 48}, {17, 90}};
    for (const auto& size : sizes) {
        const RgbImage background = randomImage(size[0], size[1], static_cast<unsigned>(size[0] * 100 + size[1]));
        RowSpy run(RgbImage(size[0], size[1]), background);
        ASSERT_TRUE(run.buildDefocusedBackground());
        EXPECT_EQ(run.defocused.pixels, definedBlur(background).pixels) << size[0] << " x " << size[1];
        for (int32_t row : run.rowsRead) {
            EXPECT_GE(row, 0);
            EXPECT_LT(row, size[1]) << size[0] << " x " << size[1];
        }
    }
}

TEST(DefocusedBackground, NeedsOneBlockOfMemoryAndFailsCleanlyWithoutIt) {
    MemoryImageAccess run(RgbImage(8, 40), RgbImage(8, 40, 255));  // white: the largest sums
    run.defocused = RgbImage(8, 40, 5);
    run.allocationsLeft = 0;
    EXPECT_FALSE(run.buildDefocusedBackground());
    EXPECT_EQ(run.defocused.pixels, RgbImage(8, 40, 5).pixels);
    run.allocationsLeft = 1;  // the ring and its column sums, nothing per row
    EXPECT_TRUE(run.buildDefocusedBackground());
    EXPECT_EQ(run.defocused.pixels, run.background.pixels);  // a uniform image stays as it is
}

TEST(BoxFilterRow, KeepsTheFourthWordAndRefusesAWindowItCannotHold) {
    MemoryImageAccess run(RgbImage(1, 1), RgbImage(1, 1));
    std::vector<Pixel16> row(5, Pixel16{800, 1600, 3200, 4321});
    ASSERT_TRUE(run.boxFilterRow(row.data(), 5, 2));  // 4 pixels: x - 1 .. x + 2
    for (const Pixel16& p : row) {
        EXPECT_EQ(p.red, 800 >> 2);  // four words each shifted by 2, summed, shifted by 2
        EXPECT_EQ(p.blue, 3200 >> 2);
        EXPECT_EQ(p.fourth, 4321);
    }
    EXPECT_FALSE(run.boxFilterRow(row.data(), 5, kMaxBoxShift + 1));
    EXPECT_FALSE(run.boxFilterRow(row.data(), 5, -1));
}

} // namespace
} // namespace velokrom
