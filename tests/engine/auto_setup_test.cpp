#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "engine/auto_setup.h"
#include "engine/portable_trig.h"
#include "key_fixture.h"

namespace velokrom {
namespace {

using AutoSetup = KeyTest;

TEST_F(AutoSetup, HsvOfPrimariesAndGreys) {
    const Hsv green = rgbToHsv(0.0f, 65280 * 1.5259022e-5f, 0.0f);
    EXPECT_EQ(std::pair(green.h, green.s), std::pair(2.0f, 1.0f));
    EXPECT_EQ(colorClassOf(green.h, green.s, green.v), kClassGreen);
    const Hsv grey = rgbToHsv(0.5f, 0.5f, 0.5f);
    EXPECT_EQ(std::pair(grey.h, grey.s), std::pair(0.0f, 0.0f));
    EXPECT_EQ(colorClassOf(grey.h, grey.s, grey.v), kClassGrey);
    EXPECT_FLOAT_EQ(rgbToHsv(1.0f, 0.0f, 0.5f).h, 5.5f);  // red is max, h = b - g negative... wraps
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

// Samples of the block generated around a key centre: a sphere for grey, white and black
// centres (clamped at the cube's faces), planes that put the key channel below the others for
// chromatic ones.
struct GeneratedSample {
    float centre[3];
    int index;
    int red, green, blue;
};

TEST_F(AutoSetup, SampleBlockAroundTheKeyCentre) {
    const GeneratedSample cases[] = {
        {{32768, 32768, 32768}, 0, 32768, 32768, 16384},  {{32768, 32768, 32768}, 5000, 49151, 32768, 32768},
        {{32768, 32768, 32768}, 5025, 32768, 49151, 32768}, {{60000, 60000, 60000}, 5000, 65535, 60000, 60000},
        {{1000, 1000, 1000}, 0, 1000, 1000, 0},             {{0, 0, 65280}, 0, 33436, 33098, 26544},
        {{0, 0, 65280}, 5000, 33098, 33436, 26544},         {{0, 0, 65280}, 2499, 65535, 0, 0},
        {{0, 0, 65280}, 49 * 100 + 98, 65535, 65535, 65535}, {{0, 0, 65280}, 49 * 100 + 99, 0, 0, 0},
        {{0, 65280, 0}, 0, 33436, 26544, 33098},            {{0, 65280, 0}, 5000, 33098, 26544, 33436},
        {{65280, 0, 0}, 0, 26544, 33098, 33436},            {{65280, 0, 0}, 5000, 26544, 33436, 33098},
    };
    for (const GeneratedSample& c : cases) {
        setUniformKey(c.centre[0], c.centre[1], c.centre[2], 0, 0, 0);
        std::vector<KeySample> block(kAutoSetupSampleCount, KeySample{9, 9, 9, 9});
        generateAutoSetupSamples(block.data());
        const KeySample& s = block[static_cast<size_t>(c.index)];
        EXPECT_EQ(std::vector<int>({s.red, s.green, s.blue, s.fourth}), std::vector<int>({c.red, c.green, c.blue, 9}))
            << "centre " << c.centre[0] << "," << c.centre[1] << "," << c.centre[2] << " sample " << c.index;
    }
}

TEST(PortableTrig, AgreesWithTheCLibraryToAnUlpOrTwo) {
    // [-pi/2, pi/2] in steps of pi/100, then [0, 2pi) in steps of pi/50.
    for (int i = 0; i <= 300; ++i) {
        const double x = i <= 200 ? i * 0.031415926535897934 - 1.5707963267948966 : (i - 201) * 0.06283185307179587;
        EXPECT_NEAR(portableSin(x), std::sin(x), 4e-16) << x;
        EXPECT_NEAR(portableCos(x), std::cos(x), 4e-16) << x;
    }
}

} // namespace
} // namespace velokrom
