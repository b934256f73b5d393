#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "composite/owned_work_rows.h"

namespace velokrom {

// An 8-bit RGB image, 3 bytes per pixel, rows packed.
struct RgbImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;

    RgbImage() = default;
    RgbImage(int32_t w, int32_t h, uint8_t fill = 0)
        : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h) * 3, fill) {}
    uint8_t* at(int32_t row, int32_t col) { return pixels.data() + (static_cast<size_t>(row) * width + col) * 3; }
    const uint8_t* at(int32_t row, int32_t col) const {
        return pixels.data() + (static_cast<size_t>(row) * width + col) * 3;
    }
};

// Which images a MemoryImageAccess keeps besides the source and the background.
struct MemoryImageLayout {
    bool matte = true;      // the matte image and the matte work row
    bool defocused = true;  // the defocused background; without it only Direct and Solid Color work
};

// The engine over images held in memory: the command-line keyer and the tests drive the same
// key operations and row pass as the plug-in through it. The source image is the foreground;
// output, matte and defocused images are made to its size.
class MemoryImageAccess : public OwnedWorkRowsEngine {
public:
    MemoryImageAccess(RgbImage foreground, RgbImage background, bool withMatte = true);
    MemoryImageAccess(RgbImage foreground, RgbImage background, const MemoryImageLayout& layout);

    RgbImage foreground;
    RgbImage background;
    RgbImage defocused;          // empty when the layout has none
    RgbImage output;
    std::vector<uint8_t> matte;  // empty when the run keeps no matte

    // Called by progress(); answering false asks the running pass to stop. Default: continue.
    std::function<bool(int32_t done, int32_t total)> onProgress;
    // Number of allocations still allowed before allocate() fails; negative: unlimited.
    int32_t allocationsLeft = -1;

    bool progress(int32_t done, int32_t total) override;
    void* allocate(size_t size) override;
    void release(void*& memory) override;
    uint8_t* foregroundRow(int32_t row, int32_t col, int32_t) override { return foreground.at(row, col); }
    uint8_t* backgroundRow(int32_t row, int32_t col, int32_t) override { return background.at(row, col); }
    uint8_t* defocusedRow(int32_t row, int32_t col, int32_t) override;
    uint8_t* outputRow(int32_t row, int32_t col, int32_t) override { return output.at(row, col); }
    uint8_t* matteRow(int32_t row, int32_t col, int32_t) override;
    void putForegroundRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override;
    void putBackgroundRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override;
    void putDefocusedRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override;
    void putOutputRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override;
    void putMatteRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override;
    int16_t displayRegion(const DisplayRect&, const DisplayRect&, void*) override { return 0; }
    bool allocDisplayImage(size_t size) override;
    bool allocDisplayScratch(size_t size) override;
    void freeDisplayImage() override { displayImage_.clear(); }
    void freeDisplayScratch() override { displayScratch_.clear(); }
    uint8_t* displayRow(int32_t row, int32_t col) override;
    void putDisplayRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override;
    uint8_t* lockDisplayScratch() override { return displayScratch_.data(); }

    // Columns of the display buffer, for displayRow addressing.
    int32_t displayColumns = 0;

private:
    std::vector<uint8_t> displayImage_;
    std::vector<uint8_t> displayScratch_;
};

} // namespace velokrom
