#include <gtest/gtest.h>


#include "engine/color_tuning.h"
#include "engine/face_planes.h"
#include "engine_fixture.h"

namespace velokrom {
namespace {

// A target along the green vertex direction: face 2, weights (1, 0, 0).
class ColorTuning : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        setUniformKey(10000, 20000, 10000, 1000, 2000, 3000);
        target = locateTuningTarget({10000, 22000, 10000}, {30000, 30000, 30000});
        ASSERT_TRUE(target.valid);
        ASSERT_EQ(target.faceVertices[0], 1u);
    }
    static float radius(const KeySurface& s) { return s[1]; }
    TuningTarget target;
};

TEST_F(ColorTuning, SliderPositionNotHistoryDecidesTheRadius) {
    const KeyModel& m = liveKeyModel();
    EXPECT_TRUE(adjustTuning(target, 1, -0.5f));
    EXPECT_TRUE(adjustTuning(target, 1, 0.0f));
    EXPECT_EQ(radius(m.middleSurface), 2000.0f);
    EXPECT_FALSE(adjustTuning(target, 1, 1.5f));
    EXPECT_FALSE(adjustTuning(target, 3, 0.5f));
    EXPECT_EQ(radius(m.middleSurface), 2000.0f);
}

TEST_F(ColorTuning, ClipHighDownToTheFloorTakesTheInnerAlong) {
    const KeyModel& m = liveKeyModel();
    adjustTuning(target, 1, -1.0f);
    EXPECT_EQ(radius(m.middleSurface), 1.0f);
    EXPECT_EQ(radius(m.innerSurface), 1.0f);
    EXPECT_EQ(radius(m.outerSurface), 3000.0f);
    EXPECT_EQ(m.middleSurface[20], 2000.0f);  // weight 0: untouched
}

TEST_F(ColorTuning, DeColorCannotPassBelowTheMiddle) {
    adjustTuning(target, 0, -1.0f);
    EXPECT_EQ(radius(liveKeyModel().outerSurface), 2000.0f);
}

TEST_F(ColorTuning, ClipLowUpAndBackLeavesThePushedSurfacesRaised) {
    const KeyModel& m = liveKeyModel();
    adjustTuning(target, 2, 0.5f);
    EXPECT_EQ(radius(m.innerSurface), 16000.0f);
    EXPECT_EQ(radius(m.middleSurface), 16000.0f);
    EXPECT_EQ(radius(m.outerSurface), 16000.0f);
    adjustTuning(target, 2, 0.0f);
    EXPECT_EQ(radius(m.innerSurface), 1000.0f);
    EXPECT_EQ(radius(m.outerSurface), 16000.0f);
}

TEST_F(ColorTuning, ATargetWithoutAFaceIsRefused) {
    const TuningTarget none = locateTuningTarget({10000, 20000, 10000}, {0, 0, 0});  // the centre
    EXPECT_FALSE(none.valid);
    const KeyModelRecord before = saveLiveKey();
    EXPECT_TRUE(adjustTuning(none, 2, 1.0f));
    EXPECT_TRUE(sameKey(before, saveLiveKey()));
}

TEST_F(ColorTuning, SwatchCompositesTheAveragesByTheKey) {
    engine->processImage(false, true);
    drag(kTuneColors, {{6, 0}});  // red subject over grey 100: outside every surface
    const Color16 swatch = engine->tuningSwatchColor();
    // Opaque: (100*256 * 0 + 220*256 * 65535) >> 16 = 56319.
    EXPECT_EQ(swatch.red, (220u * 256u * 65535u) >> 16);
    EXPECT_EQ(swatch.green, (40u * 256u * 65535u) >> 16);
}

} // namespace
} // namespace velokrom
