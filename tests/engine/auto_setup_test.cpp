#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/auto_setup.h"
#include "engine/portable_trig.h"
#include "key_fixture.h"

namespace velokrom {
namespace {

using AutoSetup = KeyTest;

void expectSample(const KeySample& s, int r, int g, int b) {
    EXPECT_EQ(s.red, r);
    EXPECT_EQ(s.green, g);
    EXPECT_EQ(s.blue, b);
}

std::vector<KeySample> samplesAround(float r, float g, float b) {
    setUniformKey(r, g, b, 0, 0, 0);
    std::vector<KeySample> block(kAutoSetupSampleCount, KeySample{9, 9, 9, 9});
    generateAutoSetupSamples(block.data());
    return block;
}

TEST_F(AutoSetup, HsvOfPrimariesAndGreys) {
    const Hsv green = rgbToHsv(0.0f, 65280 * 1.5259022e-5f, 0.0f);
    EXPECT_EQ(green.h, 2.0f);
    EXPECT_EQ(green.s, 1.0f);
    EXPECT_EQ(colorClassOf(green.h, green.s, green.v), kClassGreen);
    const Hsv grey = rgbToHsv(0.5f, 0.5f, 0.5f);
    EXPECT_EQ(grey.s, 0.0f);
    EXPECT_EQ(grey.h, 0.0f);
    EXPECT_EQ(colorClassOf(grey.h, grey.s, grey.v), kClassGrey);
    const Hsv magenta = rgbToHsv(1.0f, 0.0f, 0.5f);  // red is max, h = b - g negative... wraps
    EXPECT_FLOAT_EQ(magenta.h, 5.5f);
}

TEST_F(AutoSetup, ClassBoundaries) {
    EXPECT_EQ(colorClassOf(0.5f, 1, 1), kClassYellow);
    EXPECT_EQ(colorClassOf(0.49f, 1, 1), kClassRed);
    EXPECT_EQ(colorClassOf(5.5f, 1, 1), kClassRed);
    EXPECT_EQ(colorClassOf(5.49f, 1, 1), kClassMagenta);
    EXPECT_EQ(colorClassOf(2.5f, 1, 1), kClassCyan);
    EXPECT_EQ(colorClassOf(4.0f, 1, 1), kClassBlue);
    EXPECT_EQ(colorClassOf(0.0f, 0.1f, 0.2f), kClassRed);  // a saturation of 0.1 is chromatic
    EXPECT_EQ(colorClassOf(0.0f, 0.09f, 0.7f), kClassGrey);
    EXPECT_EQ(colorClassOf(0.0f, 0.09f, 0.71f), kClassWhite);
    EXPECT_EQ(colorClassOf(0.0f, 0.09f, 0.3f), kClassGrey);
    EXPECT_EQ(colorClassOf(0.0f, 0.09f, 0.29f), kClassBlack);
}

TEST_F(AutoSetup, SphereSetAroundMiddleGrey) {
    const auto s = samplesAround(32768, 32768, 32768);
    expectSample(s[0], 32768, 32768, 16384);
    expectSample(s[5000], 49151, 32768, 32768);
    expectSample(s[5025], 32768, 49151, 32768);
}

TEST_F(AutoSetup, SphereSamplesClampAtTheCubesFaces) {
    const auto s = samplesAround(60000, 60000, 60000);  // white class: the sphere
    expectSample(s[5000], 65535, 60000, 60000);
    const auto d = samplesAround(1000, 1000, 1000);    // black class
    expectSample(d[0], 1000, 1000, 0);
}

TEST_F(AutoSetup, PlaneSetsPlaceTheKeyChannelBelowTheOthers) {
    const auto blue = samplesAround(0, 0, 65280);
    expectSample(blue[0], 33436, 33098, 26544);
    expectSample(blue[5000], 33098, 33436, 26544);
    expectSample(blue[2499], 65535, 0, 0);
    expectSample(blue[49 * 100 + 98], 65535, 65535, 65535);
    expectSample(blue[49 * 100 + 99], 0, 0, 0);
    const auto green = samplesAround(0, 65280, 0);
    expectSample(green[0], 33436, 26544, 33098);
    expectSample(green[5000], 33098, 26544, 33436);
    const auto red = samplesAround(65280, 0, 0);
    expectSample(red[0], 26544, 33098, 33436);
    expectSample(red[5000], 26544, 33436, 33098);
    // Only the first three words of each sample are written.
    EXPECT_EQ(red[0].fourth, 9);
}

TEST(PortableTrig, AgreesWithTheCLibraryToAnUlpOrTwo) {
    for (int i = 0; i <= 200; ++i) {
        const double x = i * 0.031415926535897934 - 1.5707963267948966;
        EXPECT_NEAR(portableSin(x), std::sin(x), 4e-16) << x;
        EXPECT_NEAR(portableCos(x), std::cos(x), 4e-16) << x;
    }
    for (int j = 0; j < 100; ++j) {
        const double t = j * 0.06283185307179587;
        EXPECT_NEAR(portableSin(t), std::sin(t), 4e-16) << t;
        EXPECT_NEAR(portableCos(t), std::cos(t), 4e-16) << t;
    }
}

} // namespace
} // namespace velokrom
