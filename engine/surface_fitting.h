#pragma once
#include <cstdint>

#include "pixel.h"

namespace velokrom {

// Barycentric weights of the colour's direction in its face. 1 on success; -1 when the colour
// is under one unit from the key centre (nothing written) or the geometry is degenerate
// (vertices written, a diagnostic line on the standard error stream).
int faceWeights(const Color16& p, uint32_t vertices[3], float weights[3]);

// 1 when p lies on or outside the face's plane through the given radii, -1 strictly inside.
int isOutsideFace(const float radii[3], const uint32_t vertices[3], const Color16& p);

// Binary searches that raise (or lower) the face radii until the surface passes through p.
// 1 on success with the radii changed; -1 with the radii unchanged.
int growFaceToInclude(const Color16& p, const uint32_t vertices[3], const float weights[3], float radii[3]);
int shrinkFaceToExclude(const Color16& p, const uint32_t vertices[3], const float weights[3], float radii[3]);

} // namespace velokrom
