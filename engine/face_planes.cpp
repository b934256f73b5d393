#include "face_planes.h"

namespace velokrom {

FacePlaneTable& facePlaneTable() {
    static FacePlaneTable table{};
    return table;
}

void buildFacePlanes(const KeyModel& m, FacePlaneTable& table) {
    const KeySurface* source[3] = {&m.innerSurface, &m.middleSurface, &m.outerSurface};
    if (m.surfaceOptions & kHardCutOption) {
        source[kInner] = source[kOuter] = &m.middleSurface;
    } else if (m.surfaceOptions & kNoOuterZoneOption) {
        source[kOuter] = &m.middleSurface;
    }
    const double cx = m.keyCenter[0], cy = m.keyCenter[1], cz = m.keyCenter[2];
    for (int f = 0; f < kFaceCount; ++f) {
        const auto& v = faceVertices(f);
        for (int s = 0; s < 3; ++s) {
            const float* radii = source[s]->data();
            const Plane plane = facePlane(surfacePoint(radii, m.keyCenter, static_cast<int>(v[0])),
                                          surfacePoint(radii, m.keyCenter, static_cast<int>(v[1])),
                                          surfacePoint(radii, m.keyCenter, static_cast<int>(v[2])));
            const double centerDot = plane.nx * cx + plane.ny * cy + plane.nz * cz;
            FacePlaneEntry& e = table.entries[s][f];
            e.plane = plane;
            e.hitNumerator = static_cast<float>(-(centerDot + plane.d));
            e.centerDot = static_cast<float>(centerDot);
        }
    }
}

} // namespace velokrom
