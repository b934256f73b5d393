#pragma once
#include <cstdint>

#include "pixel.h"

namespace velokrom {

struct RayClass {
    float tInner;
    float tOuter;
    bool insideMiddle;
};

// Ray parameters of a colour in one face, from the current face-plane table.
RayClass classifyColor(const Pixel16& p, int faceCode);

// Matte and corrected colour of one source pixel against the reference colour.
Pixel16 evaluatePixel(const Pixel16& source, const Pixel16& reference);

// Rebuilds the face planes, then evaluates count pixels. No allocation.
void keyRow(const Pixel16* source, const Pixel16* reference, Pixel16* output, int32_t count);

} // namespace velokrom
