#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/sphere_mesh.h"

namespace velokrom {
namespace {

// Stored keys hold one radius per vertex in the mesh's order, so every build of the mesh must
// give the very same tables (the engine fingerprint's digest pins the order itself).
TEST(SphereMesh, ASecondBuildGivesTheSameUnitDirectionsAndFaces) {
    const SphereMesh again;
    for (int v = 0; v < kVertexCount; ++v) {
        const Vec3f& a = sphereMesh().direction(v);
        const Vec3f& b = again.direction(v);
        EXPECT_TRUE(a.x == b.x && a.y == b.y && a.z == b.z) << "vertex " << v;
        EXPECT_NEAR(double(a.x) * a.x + double(a.y) * a.y + double(a.z) * a.z, 1.0, 1e-6) << "vertex " << v;
    }
    for (int f = 0; f < kFaceCount; ++f)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(sphereMesh().face(f)[k], again.face(f)[k]) << "face " << f;
}

TEST(SphereMesh, FaceNormalsPointTowardsTheCentre) {
    const float centre[3] = {30000, 30000, 30000};
    for (int f = 0; f < kFaceCount; ++f) {
        const auto& v = faceVertices(f);
        const Vec3f p0 = surfacePoint(centre, 1000.0f, int(v[0]));
        const Vec3f p1 = surfacePoint(centre, 1000.0f, int(v[1]));
        const Vec3f p2 = surfacePoint(centre, 1000.0f, int(v[2]));
        const Plane plane = facePlane(p0, p1, p2);
        const double towardCentre = plane.nx * (centre[0] - p0.x) + plane.ny * (centre[1] - p0.y) + plane.nz * (centre[2] - p0.z);
        EXPECT_GT(towardCentre, 0.0) << "face " << f;
    }
}

TEST(FaceOfColor, BoundaryCases) {
    const float centre[3] = {1000.0f, 2000.0f, 3000.0f};
    // All differences zero: octant 0, central triangle of the central triangle.
    EXPECT_EQ(faceOfColor(1000, 2000, 3000, centre), 120);
    // Truncation toward zero of the centre's fraction keeps this at zero difference too.
    const float fractional[3] = {1000.7f, 2000.7f, 3000.7f};
    EXPECT_EQ(faceOfColor(1000, 2000, 3000, fractional), 120);
    // A zero difference is not positive: (0, 100, 0) is octant 2, face 2, first vertex +y.
    EXPECT_EQ(faceOfColor(1000, 2100, 3000, centre), 2);
    EXPECT_EQ(faceVertices(2)[0], 1u);
    // On the first-level boundary k1 == S1 the face is not the k1 corner.
    // Octant 7 (all positive, odd): axis order (G, B, R); G = 100 = B + R.
    EXPECT_NE((faceOfColor(1050, 2100, 3050, centre) >> 3) & 3, 0);
    EXPECT_EQ((faceOfColor(1049, 2100, 3050, centre) >> 3) & 3, 0);
}

// Solves d = a V0 + b V1 + c V2 for the face's directions; all three must be >= 0.
bool inCone(int face, double dx, double dy, double dz) {
    const auto& v = faceVertices(face);
    const Vec3f& a = vertexDirection(int(v[0]));
    const Vec3f& b = vertexDirection(int(v[1]));
    const Vec3f& c = vertexDirection(int(v[2]));
    auto det = [](double a0, double a1, double a2, double b0, double b1, double b2, double c0, double c1, double c2) {
        return a0 * (b1 * c2 - b2 * c1) - a1 * (b0 * c2 - b2 * c0) + a2 * (b0 * c1 - b1 * c0);
    };
    const double d = det(a.x, a.y, a.z, b.x, b.y, b.z, c.x, c.y, c.z);
    const double wa = det(dx, dy, dz, b.x, b.y, b.z, c.x, c.y, c.z) / d;
    const double wb = det(a.x, a.y, a.z, dx, dy, dz, c.x, c.y, c.z) / d;
    const double wc = det(a.x, a.y, a.z, b.x, b.y, b.z, dx, dy, dz) / d;
    const double tolerance = -1e-6 * (std::fabs(dx) + std::fabs(dy) + std::fabs(dz));
    return wa >= tolerance && wb >= tolerance && wc >= tolerance;
}

TEST(FaceOfColor, EveryDifferenceLiesInTheConeOfItsFace) {
    const float centre[3] = {32768.0f, 32768.0f, 32768.0f};
    // Small vectors hit every boundary and tie; random ones cover the rest.
    for (int r = -12; r <= 12; ++r)
        for (int g = -12; g <= 12; ++g)
            for (int b = -12; b <= 12; ++b) {
                if (!r && !g && !b) continue;
                const int f = faceOfColor(uint16_t(32768 + r), uint16_t(32768 + g), uint16_t(32768 + b), centre);
                ASSERT_TRUE(inCone(f, r, g, b)) << r << "," << g << "," << b << " face " << f;
            }
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> channel(0, 65535);
    for (int i = 0; i < 20000; ++i) {
        const int r = channel(rng), g = channel(rng), b = channel(rng);
        if (r == 32768 && g == 32768 && b == 32768) continue;
        const int f = faceOfColor(uint16_t(r), uint16_t(g), uint16_t(b), centre);
        ASSERT_TRUE(inCone(f, r - 32768, g - 32768, b - 32768)) << r << "," << g << "," << b;
    }
}

TEST(FaceOfColor, CentreFarOffTheCubeStillGivesAFace) {
    const float huge[3] = {3e38f, -3e38f, NAN};
    const int f = faceOfColor(100, 200, 300, huge);
    EXPECT_GE(f, 0);
    EXPECT_LT(f, kFaceCount);
}

} // namespace
} // namespace velokrom
