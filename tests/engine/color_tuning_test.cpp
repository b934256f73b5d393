#include <gtest/gtest.h>

#include <array>
#include <utility>

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
    // The target vertex's inner, middle and outer radius.
    static std::array<float, 3> radii() {
        const KeyModel& m = liveKeyModel();
        return {m.innerSurface[1], m.middleSurface[1], m.outerSurface[1]};
    }
    TuningTarget target;
};

TEST_F(ColorTuning, SliderPositionNotHistoryDecidesTheRadius) {
    EXPECT_TRUE(adjustTuning(target, 1, -0.5f));
    EXPECT_TRUE(adjustTuning(target, 1, 0.0f));
    EXPECT_EQ(radii()[1], 2000.0f);
    EXPECT_FALSE(adjustTuning(target, 1, 1.5f));
    EXPECT_FALSE(adjustTuning(target, 3, 0.5f));
    EXPECT_EQ(radii()[1], 2000.0f);
}

TEST_F(ColorTuning, ClipHighDownToTheFloorTakesTheInnerAlong) {
    adjustTuning(target, 1, -1.0f);
    EXPECT_EQ(radii(), (std::array{1.0f, 1.0f, 3000.0f}));
    EXPECT_EQ(liveKeyModel().middleSurface[20], 2000.0f);  // weight 0: untouched
}

TEST_F(ColorTuning, DeColorCannotPassBelowTheMiddle) {
    adjustTuning(target, 0, -1.0f);
    EXPECT_EQ(radii()[2], 2000.0f);
}

TEST_F(ColorTuning, ClipLowUpAndBackLeavesThePushedSurfacesRaised) {
    adjustTuning(target, 2, 0.5f);
    EXPECT_EQ(radii(), (std::array{16000.0f, 16000.0f, 16000.0f}));
    adjustTuning(target, 2, 0.0f);
    EXPECT_EQ(std::pair(radii()[0], radii()[2]), std::pair(1000.0f, 16000.0f));
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
