// The host's filter record and the buffers it delivers, as odd as a host may make them: sizes,
// rectangles, plane counts, modes and layer fields before the start checks, and data pointers
// and strides at each delivery. A record that passes the checks runs the render pass on a small
// picture. A host's buffer holds what its strides promise, so strides larger than the host's
// own come with a buffer that large.
#include <fuzzer/FuzzedDataProvider.h>

#include "plugin_run.h"

using namespace velokrom;

namespace {

Rect anyRect(FuzzedDataProvider& in) {
    return Rect{in.ConsumeIntegral<int16_t>(), in.ConsumeIntegral<int16_t>(), in.ConsumeIntegral<int16_t>(),
                in.ConsumeIntegral<int16_t>()};
}

// A delivered buffer's pointer and strides (copies: the record's fields are not aligned).
struct Delivery {
    void* data;
    int32_t rowBytes;
    int32_t columnBytes;
};

// Replaces a delivered buffer's pointer and strides by the input's.
void oddDelivery(FuzzedDataProvider& in, Delivery& delivery, const Rect& area, int32_t planes,
                 std::vector<uint8_t>& storage) {
    void*& data = delivery.data;
    if (!in.ConsumeBool()) return;
    if (in.ConsumeBool()) {
        data = nullptr;
        return;
    }
    const int32_t newRow = in.ConsumeIntegral<int32_t>();
    const int32_t newColumn = in.ConsumeIntegralInRange<int32_t>(-8, 16);
    const int64_t width = area.right - area.left, height = area.bottom - area.top;
    const int64_t column = newColumn != 0 ? newColumn : planes;
    if (newRow >= 0 && column >= 0) {
        const int64_t extent = (height - 1) * newRow + (width - 1) * column + planes;
        if (extent > (1 << 20)) return;  // no host hands over more than it has
        storage.assign(static_cast<size_t>(std::max<int64_t>(extent, 1)), 0x5a);
        data = storage.data();
    }
    delivery.rowBytes = newRow;
    delivery.columnBytes = newColumn;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int32_t width = in.ConsumeIntegralInRange(1, 12), height = in.ConsumeIntegralInRange(1, 6);
    vkhost::HostImage image = velokrom::testing::greenScreen(width, height, in.ConsumeIntegralInRange(3, 6));
    fuzzing::PluginRun run;
    run.platform.files[velokrom::testing::kBackgroundPath] = {};  // present but empty: a failed load
    run.options.layered = in.ConsumeBool();
    run.options.offerAdvanceState = in.ConsumeBool();
    run.options.offerProgress = in.ConsumeBool();
    if (in.ConsumeBool()) {
        run.options.hasSelection = true;
        run.options.selection = anyRect(in);
    }
    const std::vector<uint8_t> block = fuzzing::savedStateBlock(in.ConsumeBool() ? kBackgroundSaved : kBackgroundNeutralGray,
                                                                in.ConsumeIntegralInRange(0, 2), in.ConsumeBool());
    run.options.adjustRecord = [&](FilterRecord& r) {
        if (in.ConsumeBool()) r.imageSize = Point{in.ConsumeIntegral<int16_t>(), in.ConsumeIntegral<int16_t>()};
        if (in.ConsumeBool()) r.planes = in.ConsumeIntegralInRange<int16_t>(-2, 40);
        if (in.ConsumeBool()) r.filterRect = anyRect(in);
        if (in.ConsumeBool()) r.isFloating = in.ConsumeIntegral<uint8_t>();
        if (in.ConsumeBool()) r.imageMode = in.ConsumeIntegralInRange<int16_t>(-1, 12);
        if (in.ConsumeBool()) r.filterCase = in.ConsumeIntegralInRange<int16_t>(-1, 9);
        if (in.ConsumeBool()) {
            r.inLayerPlanes = in.ConsumeIntegralInRange<int16_t>(-1, 5);
            r.inTransparencyMask = in.ConsumeIntegralInRange<int16_t>(-1, 2);
            r.inNonLayerPlanes = in.ConsumeIntegralInRange<int16_t>(-1, 5);
            r.outLayerPlanes = in.ConsumeIntegralInRange<int16_t>(-1, 5);
            r.outTransparencyMask = in.ConsumeIntegralInRange<int16_t>(-1, 2);
            r.outNonLayerPlanes = in.ConsumeIntegralInRange<int16_t>(-1, 5);
        }
        if (in.ConsumeBool()) r.wholeSize = Point{in.ConsumeIntegral<int16_t>(), in.ConsumeIntegral<int16_t>()};
    };
    std::vector<uint8_t> inStorage, outStorage;
    run.options.afterAdvance = [&](FilterRecord& r) {
        Delivery input{r.inData, r.inRowBytes, r.inColumnBytes}, output{r.outData, r.outRowBytes, r.outColumnBytes};
        oddDelivery(in, input, r.inRect, r.inHiPlane - r.inLoPlane + 1, inStorage);
        oddDelivery(in, output, r.outRect, r.outHiPlane - r.outLoPlane + 1, outStorage);
        r.inData = input.data;
        r.inRowBytes = input.rowBytes;
        r.inColumnBytes = input.columnBytes;
        r.outData = output.data;
        r.outRowBytes = output.rowBytes;
        r.outColumnBytes = output.columnBytes;
    };
    run.repeat(block, image);
    return 0;
}
