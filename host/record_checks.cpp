#include "record_checks.h"

namespace velokrom {

RecordShape checkRecordShape(const FilterRecord& record) {
    const Rect& r = record.filterRect;
    if (record.planes < 3 || r.right <= r.left || r.bottom <= r.top) return RecordShape::Unusable;
    const uint64_t width = static_cast<uint64_t>(r.right - r.left);
    const uint64_t height = static_cast<uint64_t>(r.bottom - r.top);
    // The largest buffer the filter allocates is width x height x 3 bytes.
    if (width * height * 3 > static_cast<uint64_t>(PTRDIFF_MAX)) return RecordShape::TooLarge;
    return RecordShape::Usable;
}

bool describeDeliveredBuffer(void* data, int32_t rowBytes, int32_t columnBytes, int32_t planeCount, int32_t width,
                             int32_t height, int32_t bytesPerPixel, PlaneBuffer& buffer) {
    const int64_t column = columnBytes != 0 ? columnBytes : planeCount;
    if (!data || width <= 0 || height <= 0 || planeCount < bytesPerPixel || column < bytesPerPixel) return false;
    const int64_t rowExtent = (width - 1) * column + bytesPerPixel;
    if (rowBytes < rowExtent) return false;
    const int64_t extent = (static_cast<int64_t>(height) - 1) * rowBytes + rowExtent;
    if (static_cast<uint64_t>(extent) > static_cast<uint64_t>(PTRDIFF_MAX)) return false;
    buffer.base = static_cast<uint8_t*>(data);
    buffer.rowBytes = static_cast<ptrdiff_t>(rowBytes);
    buffer.columnBytes = static_cast<ptrdiff_t>(column);
    return true;
}

} // namespace velokrom
