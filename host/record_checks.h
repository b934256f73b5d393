#pragma once
// Checks of what the host hands over, so that a record with impossible sizes or strides is
// refused before anything is read from or written to its buffers.
#include <cstddef>
#include <cstdint>

#include "photoshop_filter.h"

namespace velokrom {

enum class RecordShape {
    Usable,
    TooLarge,  // the image cannot be held by this build: tell the user (out of memory)
    Unusable,  // empty or inverted filter rectangle, fewer than three planes: refuse silently
};
RecordShape checkRecordShape(const FilterRecord& record);

// One delivered interleaved buffer: where it starts and how to step through it.
struct PlaneBuffer {
    uint8_t* base = nullptr;
    ptrdiff_t rowBytes = 0;
    ptrdiff_t columnBytes = 0;

    uint8_t* pixel(int32_t row, int32_t col) const { return base + row * rowBytes + col * columnBytes; }
};

// The buffer the host delivered for width x height pixels of planeCount requested planes, of
// which the filter touches the first bytesPerPixel bytes of each pixel; false when it cannot
// hold them (no data, strides too small or negative, extent past what can be addressed).
// A column stride of 0 means the host did not set it: the pixels are then planeCount apart.
bool describeDeliveredBuffer(void* data, int32_t rowBytes, int32_t columnBytes, int32_t planeCount, int32_t width,
                             int32_t height, int32_t bytesPerPixel, PlaneBuffer& buffer);

} // namespace velokrom
