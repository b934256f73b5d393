#include <gtest/gtest.h>

#include <array>

#include "engine/face_planes.h"
#include "engine/matte_evaluation.h"
#include "key_fixture.h"

namespace velokrom {
namespace {

using MatteEvaluation = KeyTest;

Pixel16 key1(uint16_t r, uint16_t g, uint16_t b, Pixel16 reference = {30000, 30000, 30000, 0}) {
    const Pixel16 source{r, g, b, 0};
    Pixel16 out{1, 1, 1, 1};
    keyRow(&source, &reference, &out, 1);
    return out;
}

void expectPixel(const Pixel16& p, int r, int g, int b, int a) {
    EXPECT_EQ((std::array<int, 4>{p.red, p.green, p.blue, p.fourth}), (std::array<int, 4>{r, g, b, a}));
}

// The surfaces themselves belong to the zones outside them.
TEST_F(MatteEvaluation, EachZoneAlongTheGreenVertex) {
    setUniformKey(10000, 20000, 10000, 1000, 2000, 3000);
    expectPixel(key1(10000, 20500, 10000), 0, 0, 0, 0);             // inside the inner surface
    expectPixel(key1(10000, 21000, 10000), 0, 0, 0, 0);             // on the inner surface
    expectPixel(key1(10000, 21500, 10000), 10000, 23000, 10000, 16383);  // a = 0.25, pushed out
    expectPixel(key1(10000, 22500, 10000), 15000, 24750, 15000, 65535);  // a = 0.75, blended
    expectPixel(key1(10000, 23000, 10000), 10000, 23000, 10000, 65535);  // on the outer surface
    expectPixel(key1(10000, 24000, 10000), 10000, 24000, 10000, 65535);  // beyond the outer surface
}

TEST_F(MatteEvaluation, NearKeyBoxIsFourUnitsWide) {
    setUniformKey(1000.9f, 2000.9f, 3000.9f, 0, 0, 0);
    expectPixel(key1(1004, 1996, 3004), 0, 0, 0, 0);
    EXPECT_EQ(key1(1005, 2000, 3000).fourth, 65535);
    EXPECT_EQ(key1(1000, 1995, 3000).fourth, 65535);
}

TEST_F(MatteEvaluation, ClearedKeyLeavesEverythingButBlackUnchanged) {
    clearKeyModel();
    expectPixel(key1(0, 0, 0), 0, 0, 0, 0);
    expectPixel(key1(4, 4, 4), 0, 0, 0, 0);
    expectPixel(key1(5, 0, 0), 5, 0, 0, 65535);
    expectPixel(key1(65535, 123, 40000), 65535, 123, 40000, 65535);
}

TEST_F(MatteEvaluation, InnerBeyondOuterMakesTransparent) {
    setUniformKey(10000, 20000, 10000, 5000, 2000, 3000);
    expectPixel(key1(10000, 24000, 10000), 0, 0, 0, 0);
}

TEST_F(MatteEvaluation, PushedOutChannelClampsOnlyInsideTheMiddleSurface) {
    // Along +red from a centre near the top: the outer surface lies past 65535.
    setUniformKey(60000, 30000, 30000, 1000, 9000, 10000);
    const Pixel16 inside = key1(62000, 30000, 30000);  // t2 = 5, pushed red = 70000
    EXPECT_EQ(inside.red, 65535);
    EXPECT_LT(inside.fourth, 65535);
    // Outside the middle surface it enters the blend unclamped: t0 = 0.2, t2 = 2, a = 4/9,
    // pushed red 70000, blended (70000 - 30000) a + 30000 = 47777 (45793 if clamped first).
    setUniformKey(60000, 30000, 30000, 1000, 4000, 10000);
    const Pixel16 outside = key1(65000, 30000, 30000);
    expectPixel(outside, 47777, 30000, 30000, 65535);
}

TEST_F(MatteEvaluation, HardCutOptionMakesEveryPixelBinary) {
    setUniformKey(10000, 20000, 10000, 1000, 2000, 3000);
    liveKeyModel().surfaceOptions = kHardCutOption;
    expectPixel(key1(10000, 21500, 10000), 0, 0, 0, 0);
    expectPixel(key1(10000, 22500, 10000), 10000, 22500, 10000, 65535);
    rebuildFacePlanes();
    const FacePlaneTable& t = facePlaneTable();
    for (int f = 0; f < kFaceCount; ++f)
        for (int s : {kInner, kOuter}) {
            EXPECT_EQ(t.entries[s][f].plane.nx, t.entries[kMiddle][f].plane.nx);
            EXPECT_EQ(t.entries[s][f].hitNumerator, t.entries[kMiddle][f].hitNumerator);
        }
}

TEST_F(MatteEvaluation, NoOuterZoneOptionKeepsOnlyTheInnerRamp) {
    setUniformKey(10000, 20000, 10000, 1000, 2000, 3000);
    liveKeyModel().surfaceOptions = kNoOuterZoneOption | 0x40;  // other bits have no effect
    // Between inner (1000) and middle (2000), now also the outer: a = (1 - 2/3)/(4/3 - 2/3) = 0.5.
    expectPixel(key1(10000, 21500, 10000), 10000, 22000, 10000, 32767);
    expectPixel(key1(10000, 22500, 10000), 10000, 22500, 10000, 65535);
}

} // namespace
} // namespace velokrom
