#pragma once
#include "key_model.h"

namespace velokrom {

// Per surface and face: the plane, the hit numerator A = -(n . centre + d) and B = n . centre,
// so that the ray from the centre through p meets the plane at t = A / (n . p - B).
struct FacePlaneEntry {
    Plane plane;
    float hitNumerator;
    float centerDot;
};

enum SurfaceIndex { kInner = 0, kMiddle = 1, kOuter = 2 };

struct FacePlaneTable {
    FacePlaneEntry entries[3][kFaceCount];
};

// The process-wide table, valid right after rebuildFacePlanes.
FacePlaneTable& facePlaneTable();

// Fills table from model, honouring the surfaceOptions bits 7 and 8.
void buildFacePlanes(const KeyModel& model, FacePlaneTable& table);

// Rebuilds the process-wide table from the live key.
inline void rebuildFacePlanes() { buildFacePlanes(liveKeyModel(), facePlaneTable()); }

} // namespace velokrom
