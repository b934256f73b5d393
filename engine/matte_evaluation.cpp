#include "matte_evaluation.h"

#include "key_model.h"
#include "saturating.h"
#include "sphere_mesh.h"

namespace velokrom {
namespace {

constexpr int64_t kNearKeyTolerance = 5;

double denominator(const FacePlaneEntry& e, const Pixel16& p) {
    return e.plane.nx * static_cast<double>(p.red) + e.plane.ny * static_cast<double>(p.green) +
           e.plane.nz * static_cast<double>(p.blue) - e.centerDot;
}

float rayParameter(const FacePlaneEntry& e, const Pixel16& p) {
    const double den = denominator(e, p);
    if (den == 0.0) return 0.0f;
    return static_cast<float>(e.hitNumerator / static_cast<double>(static_cast<float>(den)));
}

int64_t absDiff(uint16_t channel, int64_t centre) {
    const int64_t d = static_cast<int64_t>(channel) - centre;
    return d < 0 ? -d : d;
}

// trunc(centre) for the near-key box; a centre far off the cube is clamped, which keeps the
// box empty for every colour.
int64_t truncatedCentre(float c) {
    const int64_t t = truncToInt64(c);
    return t < -1000000 ? -1000000 : (t > 1000000 ? 1000000 : t);
}

} // namespace

MatteKey::MatteKey(const FacePlaneTable& planes, const float keyCenter[3]) : planes_(planes) {
    for (int i = 0; i < 3; ++i) {
        center_[i] = keyCenter[i];
        truncatedCenter_[i] = truncatedCentre(keyCenter[i]);
    }
}

MatteKey liveMatteKey() { return MatteKey(facePlaneTable(), liveKeyModel().keyCenter); }

RayClass MatteKey::classifyColor(const Pixel16& p, int faceCode) const {
    RayClass c;
    c.tInner = rayParameter(planes_.entries[kInner][faceCode], p);
    c.tOuter = rayParameter(planes_.entries[kOuter][faceCode], p);
    const FacePlaneEntry& middle = planes_.entries[kMiddle][faceCode];
    const double den = denominator(middle, p);
    c.insideMiddle = den == 0.0 || middle.hitNumerator / den > 1.0;
    return c;
}

ColorZone MatteKey::zoneOf(const Pixel16& source) const {
    if (absDiff(source.red, truncatedCenter_[0]) < kNearKeyTolerance &&
        absDiff(source.green, truncatedCenter_[1]) < kNearKeyTolerance &&
        absDiff(source.blue, truncatedCenter_[2]) < kNearKeyTolerance)
        return {ColorZone::kTransparent, false, 0.0f, 0.0f};

    const int face = faceOfColor(source.red, source.green, source.blue, center_);
    const RayClass ray = classifyColor(source, face);
    const float t0 = ray.tInner, t2 = ray.tOuter;
    if (t0 >= 1.0f) return {ColorZone::kTransparent, false, 0.0f, 0.0f};
    if (t2 <= 1.0f) return {ColorZone::kUnchanged, false, 0.0f, 0.0f};
    const float a = static_cast<float>((1.0 - t0) / (static_cast<double>(t2) - t0));
    return {ColorZone::kRamp, ray.insideMiddle, t2, a};
}

Pixel16 MatteKey::rampResult(const Pixel16& source, const Pixel16& reference, const ColorZone& zone) const {
    const double a = zone.fraction, t2 = zone.tOuter;
    const uint16_t channels[3] = {source.red, source.green, source.blue};
    const uint16_t references[3] = {reference.red, reference.green, reference.blue};
    uint16_t out[3];
    for (int i = 0; i < 3; ++i) {
        // The point where the ray from the centre through the colour meets the outer surface.
        const int64_t pushed = truncToInt64((static_cast<double>(channels[i]) - center_[i]) * t2 + center_[i]);
        if (zone.insideMiddle) {
            out[i] = pushed <= 0 ? 0 : (pushed >= 65535 ? 65535 : static_cast<uint16_t>(pushed));
        } else {
            const double x = pushed < 0 ? 0.0 : static_cast<double>(pushed);
            out[i] = truncToU16Clamped((x - references[i]) * a + references[i]);
        }
    }
    const uint16_t alpha = zone.insideMiddle ? truncToU16Clamped(a * 65535.0) : 65535;
    return {out[0], out[1], out[2], alpha};
}

Pixel16 MatteKey::evaluate(const Pixel16& source, const Pixel16& reference) const {
    const ColorZone zone = zoneOf(source);
    switch (zone.kind) {
    case ColorZone::kTransparent: return {0, 0, 0, 0};
    case ColorZone::kUnchanged: return {source.red, source.green, source.blue, 65535};
    default: return rampResult(source, reference, zone);
    }
}

void keyRow(const Pixel16* source, const Pixel16* reference, Pixel16* output, int32_t count) {
    rebuildFacePlanes();
    const MatteKey key = liveMatteKey();
    for (int32_t x = 0; x < count; ++x) output[x] = key.evaluate(source[x], reference[x]);
}

} // namespace velokrom
