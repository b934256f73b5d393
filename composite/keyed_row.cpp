#include "keyed_row.h"

#include "blend.h"

namespace velokrom {

void keyCompositeRow(ColorZoneCache::Lane lane, const MatteKey& key, const KeyedRowFormat& format, const uint8_t* foreground,
                     const uint8_t* background, const uint8_t* reference, uint8_t* composite, uint8_t* matte,
                     int32_t width) {
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
        const KeyedColor color = lane.color(f[red], f[green], f[blue], key);
        uint8_t matteValue;
        if (color.zone.kind == ColorZone::kTransparent) {
            // Alpha 0 over the background word v << 8 composites to v exactly.
            out[red] = b[red], out[green] = b[green], out[blue] = b[blue];
            matteValue = 0;
        } else if (color.zone.kind == ColorZone::kUnchanged) {
            // Alpha 65535 with the result word v << 8 composites to v exactly.
            out[red] = f[red], out[green] = f[green], out[blue] = f[blue];
            matteValue = 255;
        } else if (color.zone.insideMiddle) {
            out[red] = compositeOver(color.weight, color.offset[0], b[red]);
            out[green] = compositeOver(color.weight, color.offset[1], b[green]);
            out[blue] = compositeOver(color.weight, color.offset[2], b[blue]);
            matteValue = color.matte;
        } else {
            // Opaque, blended towards the reference.
            const Pixel16 result = key.rampResult(widened(f), reference ? widened(reference + 3 * x) : solid, color.zone);
            out[red] = compositeChannel(result.fourth, static_cast<uint16_t>(b[red] << 8), result.red);
            out[green] = compositeChannel(result.fourth, static_cast<uint16_t>(b[green] << 8), result.green);
            out[blue] = compositeChannel(result.fourth, static_cast<uint16_t>(b[blue] << 8), result.blue);
            matteValue = matteByte(result.fourth);
        }
        if (matte != nullptr) matte[x] = matteValue;
    }
}

} // namespace velokrom
