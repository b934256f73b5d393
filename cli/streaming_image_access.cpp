#include "streaming_image_access.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace velokrom::cli {
namespace {

constexpr uint8_t kNeutralGrey = 127;

} // namespace

StreamingImageAccess::StreamingImageAccess(ImageSize size, const RowStreams& streams) : streams_(streams) {
    imageWidth = size.width;
    imageHeight = size.height;
    const size_t width = static_cast<size_t>(size.width);
    if (!streams.background || !streams.defocused) grey_.assign(width * 3, kNeutralGrey);
    if (streams.alpha) rgba_.assign(width * 4, 0);
    makeWorkRows(streams.alpha || streams.matte);
}

StreamingImageAccess::~StreamingImageAccess() {
    for (void* block : blocks_) std::free(block);
}

void* StreamingImageAccess::allocate(size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block != nullptr) blocks_.push_back(block);
    return block;
}

void StreamingImageAccess::release(void*& memory) {
    blocks_.erase(std::remove(blocks_.begin(), blocks_.end(), memory), blocks_.end());
    std::free(memory);
    memory = nullptr;
}

uint8_t* StreamingImageAccess::foregroundRow(int32_t row, int32_t col, int32_t) {
    return streams_.foreground->row(row) + 3 * static_cast<size_t>(col);
}

uint8_t* StreamingImageAccess::backgroundRow(int32_t row, int32_t col, int32_t) {
    return (streams_.background ? streams_.background->row(row) : grey_.data()) + 3 * static_cast<size_t>(col);
}

uint8_t* StreamingImageAccess::defocusedRow(int32_t row, int32_t col, int32_t) {
    return streams_.defocused ? streams_.defocused->at(row, col) : grey_.data() + 3 * static_cast<size_t>(col);
}

void StreamingImageAccess::putDefocusedRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) {
    if (streams_.defocused) std::memcpy(streams_.defocused->at(row, col), source, static_cast<size_t>(count) * 3);
}

void StreamingImageAccess::putOutputRow(const uint8_t* source, int32_t, int32_t, int32_t count) {
    if (!streams_.alpha) {
        streams_.composite->writeRow(source);
        return;
    }
    for (size_t x = 0; x < static_cast<size_t>(count); ++x) std::copy(source + 3 * x, source + 3 * x + 3, &rgba_[4 * x]);
}

void StreamingImageAccess::putMatteRow(const uint8_t* source, int32_t, int32_t, int32_t count) {
    if (streams_.alpha) {
        for (size_t x = 0; x < static_cast<size_t>(count); ++x) rgba_[4 * x + 3] = source[x];
        streams_.composite->writeRow(rgba_.data());
    }
    if (streams_.matte) streams_.matte->writeRow(source);
}

} // namespace velokrom::cli
