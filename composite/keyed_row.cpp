#include "keyed_row.h"

#include "blend.h"

namespace velokrom {

namespace {

// The row with or without its matte, decided once per row rather than per pixel.
template <bool kWithMatte>
void keyRowOf(ColorZoneCache::Lane lane, const MatteKey& key, const KeyedRowFormat& format, const uint8_t* foreground,
              const uint8_t* background, const uint8_t* reference, uint8_t* composite, uint8_t* matte, int32_t width) {
    // Kept in locals: the stores through byte pointers below could otherwise alias them.
    const int32_t red = format.order.red, green = format.order.green, blue = format.order.blue;
    const Pixel16 solid{format.solidColor[0], format.solidColor[1], format.solidColor[2], format.solidColor[3]};
    auto widened = [&](const uint8_t* p) {
        return Pixel16{static_cast<uint16_t>(p[red] << 8), static_cast<uint16_t>(p[green] << 8),
                       static_cast<uint16_t>(p[blue] << 8), 0};
    };
    for (int32_t x = 0; x < width; ++x) {
        const uint8_t* f = foreground + 3 * x;
        const uint8_t* b = background + 3 * x;
        uint8_t* out = composite + 3 * x;
        const RampColor* ramp = nullptr;
        const ColorZone::Kind kind = lane.kindOf(f[red], f[green], f[blue], key, ramp);
        uint8_t matteValue;
        if (kind == ColorZone::kTransparent) {
            // Alpha 0 over the background word v << 8 composites to v exactly.
            out[red] = b[red], out[green] = b[green], out[blue] = b[blue];
            matteValue = 0;
        } else if (kind == ColorZone::kUnchanged) {
            // Alpha 65535 with the result word v << 8 composites to v exactly.
            out[red] = f[red], out[green] = f[green], out[blue] = f[blue];
            matteValue = 255;
        } else if (ramp->insideMiddle) {
            out[red] = compositeOver(ramp->weight, ramp->offset[0], b[red]);
            out[green] = compositeOver(ramp->weight, ramp->offset[1], b[green]);
            out[blue] = compositeOver(ramp->weight, ramp->offset[2], b[blue]);
            matteValue = ramp->matte;
        } else {
            // Opaque, blended towards the reference.
            const Pixel16 result = key.rampResult(widened(f), reference ? widened(reference + 3 * x) : solid, ramp->zone());
            out[red] = compositeChannel(result.fourth, static_cast<uint16_t>(b[red] << 8), result.red);
            out[green] = compositeChannel(result.fourth, static_cast<uint16_t>(b[green] << 8), result.green);
            out[blue] = compositeChannel(result.fourth, static_cast<uint16_t>(b[blue] << 8), result.blue);
            matteValue = matteByte(result.fourth);
        }
        if (kWithMatte) matte[x] = matteValue;
    }
}

} // namespace

void keyCompositeRow(ColorZoneCache::Lane lane, const MatteKey& key, const KeyedRowFormat& format, const uint8_t* foreground,
                     const uint8_t* background, const uint8_t* reference, uint8_t* composite, uint8_t* matte,
                     int32_t width) {
    if (matte != nullptr) keyRowOf<true>(lane, key, format, foreground, background, reference, composite, matte, width);
    else keyRowOf<false>(lane, key, format, foreground, background, reference, composite, matte, width);
}

} // namespace velokrom
