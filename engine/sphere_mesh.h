#pragma once
#include <array>
#include <cstdint>

#include "pixel.h"

namespace velokrom {

constexpr int kVertexCount = 66;
constexpr int kFaceCount = 128;

struct Vec3f {
    float x;
    float y;
    float z;
};

struct Plane {
    float nx;
    float ny;
    float nz;
    float d;
};

// The octahedron subdivided twice by edge midpoints: unit vertex directions and the faces
// addressed by their 7-bit face code (octant + 8 * c1 + 32 * c2).
class SphereMesh {
public:
    SphereMesh();  // builds the tables by subdivision
    const Vec3f& direction(int vertex) const { return directions_[vertex]; }
    const std::array<uint32_t, 3>& face(int faceCode) const { return faces_[faceCode]; }

private:
    std::array<Vec3f, kVertexCount> directions_{};
    std::array<std::array<uint32_t, 3>, kFaceCount> faces_{};
};

// The process-wide mesh, built on first use.
const SphereMesh& sphereMesh();

inline const Vec3f& vertexDirection(int vertex) { return sphereMesh().direction(vertex); }
inline const std::array<uint32_t, 3>& faceVertices(int faceCode) { return sphereMesh().face(faceCode); }

// The face whose cone holds (colour - centre), by integer comparisons only.
int faceOfColor(uint16_t red, uint16_t green, uint16_t blue, const float center[3]);
inline int faceOfColor(const Color16& c, const float center[3]) { return faceOfColor(c.red, c.green, c.blue, center); }

// centre + radius * direction(vertex), per channel in double, rounded once to single.
Vec3f surfacePoint(const float center[3], float radius, int vertex);
inline Vec3f surfacePoint(const float* radii, const float center[3], int vertex) {
    return surfacePoint(center, radii[vertex], vertex);
}

// Plane through three points; its normal is e2 x e1 with e1 = P1 - P0, e2 = P2 - P0.
Plane facePlane(const Vec3f& p0, const Vec3f& p1, const Vec3f& p2);

} // namespace velokrom
