#pragma once
#include <cstdint>

#include "face_planes.h"
#include "pixel.h"

namespace velokrom {

struct RayClass {
    float tInner;
    float tOuter;
    bool insideMiddle;
};

// Where a colour lies against the key. Transparent and unchanged pixels need nothing more; a
// ramp pixel (between the inner and the outer surface) keeps what its result is made from.
struct ColorZone {
    enum Kind : uint8_t { kTransparent, kUnchanged, kRamp };
    Kind kind;
    bool insideMiddle;  // ramp: matte by the fraction, else opaque and blended to the reference
    float tOuter;       // ramp: t2, where the ray meets the outer surface
    float fraction;     // ramp: a = (1 - t0) / (t2 - t0)
};

// Everything the evaluation of a pixel reads besides the pixel and its reference: the key centre
// and a face-plane table built from the same key. Read-only, so one key may serve many threads.
class MatteKey {
public:
    MatteKey(const FacePlaneTable& planes, const float keyCenter[3]);

    RayClass classifyColor(const Pixel16& p, int faceCode) const;
    // The zone of a source colour: everything of the evaluation that does not read the reference.
    ColorZone zoneOf(const Pixel16& source) const;
    // The result of a ramp pixel from its zone.
    Pixel16 rampResult(const Pixel16& source, const Pixel16& reference, const ColorZone& zone) const;
    Pixel16 evaluate(const Pixel16& source, const Pixel16& reference) const;

private:
    const FacePlaneTable& planes_;
    float center_[3];
    int64_t truncatedCenter_[3];
};

// The live key with the process-wide table (valid after rebuildFacePlanes).
MatteKey liveMatteKey();

// Ray parameters of a colour in one face, from the current face-plane table.
inline RayClass classifyColor(const Pixel16& p, int faceCode) { return liveMatteKey().classifyColor(p, faceCode); }

// Matte and corrected colour of one source pixel against the reference colour.
inline Pixel16 evaluatePixel(const Pixel16& source, const Pixel16& reference) {
    return liveMatteKey().evaluate(source, reference);
}

// Rebuilds the face planes, then evaluates count pixels. No allocation.
void keyRow(const Pixel16* source, const Pixel16* reference, Pixel16* output, int32_t count);

} // namespace velokrom
