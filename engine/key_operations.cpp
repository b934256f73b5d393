#include "key_operations.h"

#include <algorithm>

#include "face_planes.h"
#include "saturating.h"
#include "surface_fitting.h"

namespace velokrom {
namespace {

Color16 colorOf(const KeySample& s) { return {s.red, s.green, s.blue}; }

// Brings each sample to one side of the surface, one face at a time, in sample order.
// Raising keeps each face radius at least as large as before; lowering at most.
void fitSurface(KeySurface& surface, const KeySample* samples, int32_t count, bool raising) {
    const float* centre = liveKeyModel().keyCenter;
    for (int32_t i = 0; i < count; ++i) {
        const Color16 p = colorOf(samples[i]);
        const auto& face = faceVertices(faceOfColor(p, centre));
        uint32_t vertices[3] = {face[0], face[1], face[2]};
        float radii[3] = {surface[face[0]], surface[face[1]], surface[face[2]]};
        if (isOutsideFace(radii, vertices, p) != (raising ? 1 : -1)) continue;
        float weights[3];
        if (faceWeights(p, vertices, weights) != 1) continue;
        const int fitted = raising ? growFaceToInclude(p, vertices, weights, radii)
                                   : shrinkFaceToExclude(p, vertices, weights, radii);
        if (fitted != 1) continue;
        for (int k = 0; k < 3; ++k) {
            float& r = surface[vertices[k]];
            if (raising ? r < radii[k] : r > radii[k]) r = radii[k];
        }
    }
}

} // namespace

Color16 averageSample(const KeySample* samples, int32_t count) {
    if (count < 1) return {0, 0, 0};
    uint32_t sum[3] = {0, 0, 0};
    for (int32_t i = 0; i < count; ++i) {
        sum[0] += samples[i].red;
        sum[1] += samples[i].green;
        sum[2] += samples[i].blue;
    }
    const uint32_t n = static_cast<uint32_t>(count);
    return {static_cast<uint16_t>(sum[0] / n), static_cast<uint16_t>(sum[1] / n), static_cast<uint16_t>(sum[2] / n)};
}

void setKeyCenter(const Color16& color) {
    float* c = liveKeyModel().keyCenter;
    c[0] = color.red;
    c[1] = color.green;
    c[2] = color.blue;
}

void fillSurface(KeySurface& surface, float radius) { surface.fill(radius); }

void growSurface(KeySurface& surface, const KeySample* samples, int32_t count) {
    fitSurface(surface, samples, count, true);
}

void shrinkSurface(KeySurface& surface, const KeySample* samples, int32_t count) {
    fitSurface(surface, samples, count, false);
}

void enforceNesting(int changedSurface) {
    KeyModel& m = liveKeyModel();
    for (int v = 0; v < kVertexCount; ++v) {
        float& inner = m.innerSurface[v];
        float& middle = m.middleSurface[v];
        float& outer = m.outerSurface[v];
        switch (changedSurface) {
        case kInner:
            middle = std::max(middle, inner);
            outer = std::max(outer, middle);
            break;
        case kMiddle:
            inner = std::min(inner, middle);
            outer = std::max(outer, middle);
            break;
        default:
            middle = std::min(middle, outer);
            inner = std::min(inner, middle);
            break;
        }
    }
}

Color16 tuningStepColor(const Color16& average) {
    const float* c = liveKeyModel().keyCenter;
    auto push = [](uint16_t a, float centre) {
        return truncToU16Clamped((static_cast<double>(a) - centre) * 1.1 + centre);
    };
    return {push(average.red, c[0]), push(average.green, c[1]), push(average.blue, c[2])};
}

} // namespace velokrom
