#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "engine/sphere_mesh.h"
#include "engine/surface_fitting.h"
#include "key_fixture.h"

namespace velokrom {
namespace {

// The colour p seen from a centre: the face it falls in and its weights there.
class SurfaceFitting : public KeyTest {
protected:
    void fit(float cr, float cg, float cb, Color16 colour) {
        setUniformKey(cr, cg, cb, 0, 0, 0);
        p = colour;
        ASSERT_EQ(faceWeights(p, v, w), 1);
    }
    // Along the green vertex direction: face 2, weights (1, 0, 0).
    void fitGreenVertex() { fit(10000, 20000, 10000, {10000, 22000, 10000}); }
    Color16 p{};
    uint32_t v[3] = {};
    float w[3] = {};
};

TEST_F(SurfaceFitting, WeightsAreBarycentricInsideTheFace) {
    // A direction between three vertices of one face: the weights sum to one and are positive.
    fit(32768, 32768, 32768, {40000, 36000, 34000});
    EXPECT_NEAR(w[0] + w[1] + w[2], 1.0f, 1e-6f);
    for (float x : w) EXPECT_GT(x, 0.0f);
    // Recombining the unit directions by the weights points along the colour's direction.
    double d[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        const Vec3f& u = vertexDirection(int(v[k]));
        d[0] += w[k] * u.x;
        d[1] += w[k] * u.y;
        d[2] += w[k] * u.z;
    }
    EXPECT_NEAR(d[0] / d[2], (40000.0 - 32768) / (34000 - 32768), 1e-4);
    EXPECT_NEAR(d[1] / d[2], (36000.0 - 32768) / (34000 - 32768), 1e-4);
}

TEST_F(SurfaceFitting, ColourUnderOneUnitFromTheCentreOrAnUndefinedCentreWritesNothing) {
    const Color16 colour{10000, 20000, 10000};
    for (float centreRed : {10000.5f, NAN}) {
        setUniformKey(centreRed, 20000, 10000, 0, 0, 0);
        uint32_t vertices[3] = {77, 77, 77};
        float weights[3] = {9, 9, 9};
        EXPECT_EQ(faceWeights(colour, vertices, weights), -1) << centreRed;
        EXPECT_EQ(vertices[0], 77u);
        EXPECT_EQ(weights[0], 9.0f);
    }
}

TEST_F(SurfaceFitting, ZeroRadiiAreOutsideForEveryColour) {
    setUniformKey(30000, 30000, 30000, 0, 0, 0);
    const float radii[3] = {0, 0, 0};
    const auto& face = faceVertices(5);
    const uint32_t vertices[3] = {face[0], face[1], face[2]};
    for (uint16_t c : {uint16_t(0), uint16_t(30001), uint16_t(65535)}) EXPECT_EQ(isOutsideFace(radii, vertices, {c, c, c}), 1);
}

TEST_F(SurfaceFitting, RaiseAndLowerOneFaceToAColour) {
    fitGreenVertex();
    float raised[3] = {1000, 1000, 1000};
    ASSERT_EQ(growFaceToInclude(p, v, w, raised), 1);
    EXPECT_NEAR(raised[0], 2000.2f, 0.5f);
    EXPECT_GE(raised[0], 2000.0f);  // the colour is now inside or on the surface
    EXPECT_EQ(std::pair(raised[1], raised[2]), std::pair(1000.0f, 1000.0f));

    float lowered[3] = {3000, 3000, 3000};
    ASSERT_EQ(shrinkFaceToExclude(p, v, w, lowered), 1);
    EXPECT_NEAR(lowered[0], 2003.0f, 0.5f);
    EXPECT_EQ(std::pair(lowered[1], lowered[2]), std::pair(3000.0f, 3000.0f));
}

TEST_F(SurfaceFitting, SearchesOnAColourAlreadyOnTheRightSide) {
    fitGreenVertex();
    // Already inside: every trial is inside, s ends at 196605 / 2^18 = 0.75.
    float inside[3] = {5000, 0.5f, 0.7f};
    ASSERT_EQ(growFaceToInclude(p, v, w, inside), 1);
    EXPECT_EQ(inside[0], 5000.0f);
    EXPECT_EQ(inside[1], 0.5f);  // zero weight: never moved
    // Already outside: s ends at 196605 / 2^21; radii stay unless above 65535 / (w s).
    float outside[3] = {1000, 3000, 3000};
    ASSERT_EQ(shrinkFaceToExclude(p, v, w, outside), 1);
    EXPECT_EQ(std::pair(outside[0], outside[1]), std::pair(1000.0f, 3000.0f));
}

TEST_F(SurfaceFitting, SearchFailsWhenTheScaleLeavesItsRange) {
    // White seen from a black centre: weights 1/3 each, so even the largest trial radii
    // (196605 / 3) leave the colour outside; the raising search fails and changes nothing.
    fit(0, 0, 0, {65535, 65535, 65535});
    float radii[3] = {1000, 1000, 1000};
    EXPECT_EQ(growFaceToInclude(p, v, w, radii), -1);
    EXPECT_EQ(radii[0], 1000.0f);
}

} // namespace
} // namespace velokrom
