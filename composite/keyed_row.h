#pragma once
#include <cstdint>

#include "color_zone_cache.h"
#include "pixel_rows.h"

namespace velokrom {

// What keying a row needs besides its pixels: where the channels sit in a 3-byte pixel, and the
// solid colour for a pass whose reference colour comes from no row.
struct KeyedRowFormat {
    ChannelOrder order;
    uint16_t solidColor[4];
};

// Keys a row of 8-bit source pixels and composites it over the background row, writing the
// composite (3 bytes per pixel) and, when matte is not null, the matte: the same bytes as
// keyRow on the widened rows followed by the composite, with each colour taken from the
// calling thread's lane of the colour cache and key its key(). reference: the 8-bit row whose
// pixels are the reference colours, or null for the solid colour.
void keyCompositeRow(ColorZoneCache::Lane lane, const MatteKey& key, const KeyedRowFormat& format, const uint8_t* foreground,
                     const uint8_t* background, const uint8_t* reference, uint8_t* composite, uint8_t* matte,
                     int32_t width);

} // namespace velokrom
