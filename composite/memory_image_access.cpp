#include "memory_image_access.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace velokrom {

MemoryImageAccess::MemoryImageAccess(RgbImage fg, RgbImage bg, bool withMatte)
    : MemoryImageAccess(std::move(fg), std::move(bg), MemoryImageLayout{withMatte, true}) {}

MemoryImageAccess::MemoryImageAccess(RgbImage fg, RgbImage bg, const MemoryImageLayout& layout)
    : foreground(std::move(fg)), background(std::move(bg)) {
    imageWidth = foreground.width;
    imageHeight = foreground.height;
    if (layout.defocused) defocused = RgbImage(imageWidth, imageHeight);
    output = RgbImage(imageWidth, imageHeight);
    if (layout.matte) matte.assign(static_cast<size_t>(imageWidth) * static_cast<size_t>(imageHeight), 0);
    makeWorkRows(layout.matte);
}

bool MemoryImageAccess::progress(int32_t done, int32_t total) { return onProgress ? onProgress(done, total) : true; }

void* MemoryImageAccess::allocate(size_t size) {
    if (allocationsLeft == 0) return nullptr;
    if (allocationsLeft > 0) --allocationsLeft;
    return std::malloc(size == 0 ? 1 : size);
}

void MemoryImageAccess::release(void*& memory) {
    std::free(memory);
    memory = nullptr;
}

uint8_t* MemoryImageAccess::defocusedRow(int32_t row, int32_t col, int32_t) {
    return defocused.pixels.empty() ? nullptr : defocused.at(row, col);
}

uint8_t* MemoryImageAccess::matteRow(int32_t row, int32_t col, int32_t) {
    return matte.empty() ? nullptr : matte.data() + static_cast<size_t>(row) * imageWidth + col;
}

void MemoryImageAccess::putForegroundRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) {
    std::memcpy(foreground.at(row, col), source, static_cast<size_t>(count) * 3);
}
void MemoryImageAccess::putBackgroundRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) {
    std::memcpy(background.at(row, col), source, static_cast<size_t>(count) * 3);
}
void MemoryImageAccess::putDefocusedRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) {
    if (!defocused.pixels.empty()) std::memcpy(defocused.at(row, col), source, static_cast<size_t>(count) * 3);
}
void MemoryImageAccess::putOutputRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) {
    std::memcpy(output.at(row, col), source, static_cast<size_t>(count) * 3);
}
void MemoryImageAccess::putMatteRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) {
    if (!matte.empty()) std::memcpy(matte.data() + static_cast<size_t>(row) * imageWidth + col, source, static_cast<size_t>(count));
}

bool MemoryImageAccess::allocDisplayImage(size_t size) {
    displayImage_.assign(size, 0);
    return true;
}
bool MemoryImageAccess::allocDisplayScratch(size_t size) {
    displayScratch_.assign(size, 0);
    return true;
}
uint8_t* MemoryImageAccess::displayRow(int32_t row, int32_t col) {
    return displayImage_.data() + (static_cast<size_t>(row) * displayColumns + col) * 3;
}
void MemoryImageAccess::putDisplayRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) {
    std::memcpy(displayRow(row, col), source, static_cast<size_t>(count) * 3);
}

} // namespace velokrom
