#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/sphere_mesh.h"

namespace velokrom {
namespace {

// The mesh's numbering, written out by hand so that the tables the code builds by subdivision
// are checked against an independent statement of them: stored keys, settings files and
// parameter blocks hold one radius per vertex in this order.
// Integer vertex vectors before normalisation, by vertex number.
constexpr int kVertexVectors[66][3] = {
    {4, 0, 0}, {0, 4, 0}, {0, 0, 4}, {-4, 0, 0}, {0, -4, 0}, {0, 0, -4},
    {2, 2, 0}, {0, 2, -2}, {-2, 2, 0}, {0, 2, 2}, {2, 0, -2}, {-2, 0, -2},
    {-2, 0, 2}, {2, 0, 2}, {2, -2, 0}, {0, -2, -2}, {-2, -2, 0}, {0, -2, 2},
    {1, 3, 0}, {3, 1, 0}, {0, 3, -1}, {0, 1, -3}, {-1, 3, 0}, {-3, 1, 0},
    {0, 3, 1}, {0, 1, 3}, {3, 0, -1}, {1, 0, -3}, {-1, 0, -3}, {-3, 0, -1},
    {-3, 0, 1}, {-1, 0, 3}, {1, 0, 3}, {3, 0, 1}, {3, -1, 0}, {1, -3, 0},
    {0, -1, -3}, {0, -3, -1}, {-3, -1, 0}, {-1, -3, 0}, {0, -1, 3}, {0, -3, 1},
    {1, 1, -2}, {1, 2, -1}, {2, 1, -1}, {-2, 1, -1}, {-1, 2, -1}, {-1, 1, -2},
    {-1, 1, 2}, {-1, 2, 1}, {-2, 1, 1}, {2, 1, 1}, {1, 2, 1}, {1, 1, 2},
    {2, -1, -1}, {1, -2, -1}, {1, -1, -2}, {-1, -1, -2}, {-1, -2, -1}, {-2, -1, -1},
    {-2, -1, 1}, {-1, -2, 1}, {-1, -1, 2}, {1, -1, 2}, {1, -2, 1}, {2, -1, 1},
};
// Vertex indices of each face, by face code, in stored order.
constexpr uint32_t kFaces[128][3] = {
    {39, 37, 4}, {37, 35, 4}, {1, 20, 22}, {1, 18, 20}, {41, 39, 4}, {35, 41, 4}, {1, 22, 24}, {1, 24, 18},
    {38, 59, 16}, {36, 56, 15}, {7, 21, 47}, {6, 19, 44}, {40, 62, 17}, {34, 65, 14}, {8, 23, 50}, {9, 25, 53},
    {57, 36, 15}, {54, 34, 14}, {8, 45, 23}, {7, 42, 21}, {60, 38, 16}, {63, 40, 17}, {9, 48, 25}, {6, 51, 19},
    {11, 57, 59}, {10, 54, 56}, {45, 47, 11}, {42, 44, 10}, {12, 60, 62}, {13, 63, 65}, {48, 50, 12}, {51, 53, 13},
    {16, 58, 39}, {15, 55, 37}, {20, 7, 46}, {18, 6, 43}, {17, 61, 41}, {14, 64, 35}, {22, 8, 49}, {24, 9, 52},
    {3, 29, 38}, {5, 27, 36}, {21, 5, 28}, {19, 0, 26}, {2, 31, 40}, {0, 33, 34}, {23, 3, 30}, {25, 2, 32},
    {11, 28, 57}, {10, 26, 54}, {45, 11, 29}, {42, 10, 27}, {12, 30, 60}, {13, 32, 63}, {48, 12, 31}, {51, 13, 33},
    {57, 15, 58}, {54, 14, 55}, {8, 46, 45}, {7, 43, 42}, {60, 16, 61}, {63, 17, 64}, {9, 49, 48}, {6, 52, 51},
    {58, 15, 37}, {55, 14, 35}, {22, 46, 8}, {20, 43, 7}, {61, 16, 39}, {64, 17, 41}, {24, 49, 9}, {18, 52, 6},
    {29, 11, 59}, {27, 10, 56}, {47, 28, 11}, {44, 26, 10}, {31, 12, 62}, {33, 13, 65}, {50, 30, 12}, {53, 32, 13},
    {28, 5, 36}, {26, 0, 34}, {23, 29, 3}, {21, 27, 5}, {30, 3, 38}, {32, 2, 40}, {25, 31, 2}, {19, 33, 0},
    {59, 58, 16}, {56, 55, 15}, {46, 7, 47}, {43, 6, 44}, {62, 61, 17}, {65, 64, 14}, {49, 8, 50}, {52, 9, 53},
    {58, 37, 39}, {55, 35, 37}, {22, 20, 46}, {20, 18, 43}, {61, 39, 41}, {64, 41, 35}, {24, 22, 49}, {18, 24, 52},
    {29, 59, 38}, {27, 56, 36}, {47, 21, 28}, {44, 19, 26}, {31, 62, 40}, {33, 65, 34}, {50, 23, 30}, {53, 25, 32},
    {28, 36, 57}, {26, 34, 54}, {23, 45, 29}, {21, 42, 27}, {30, 38, 60}, {32, 40, 63}, {25, 48, 31}, {19, 51, 33},
    {59, 57, 58}, {56, 54, 55}, {46, 47, 45}, {43, 44, 42}, {62, 60, 61}, {65, 63, 64}, {49, 50, 48}, {52, 53, 51},
};

TEST(SphereMesh, BuiltTablesMatchTheNumberingOfStoredKeysEveryTime) {
    const SphereMesh again;  // a second build gives the very same tables as the process-wide one
    for (const SphereMesh* mesh : {&sphereMesh(), &again}) {
        for (int v = 0; v < kVertexCount; ++v) {
            const int* iv = kVertexVectors[v];
            const double len = std::sqrt(double(iv[0]) * iv[0] + double(iv[1]) * iv[1] + double(iv[2]) * iv[2]);
            const Vec3f& d = mesh->direction(v);
            EXPECT_EQ(d.x, static_cast<float>(iv[0] / len)) << "vertex " << v;
            EXPECT_EQ(d.y, static_cast<float>(iv[1] / len)) << "vertex " << v;
            EXPECT_EQ(d.z, static_cast<float>(iv[2] / len)) << "vertex " << v;
        }
        for (int f = 0; f < kFaceCount; ++f)
            for (int k = 0; k < 3; ++k) EXPECT_EQ(mesh->face(f)[k], kFaces[f][k]) << "face " << f;
    }
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
