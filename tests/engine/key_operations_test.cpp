#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/key_operations.h"
#include "engine_fixture.h"

namespace velokrom {
namespace {

using KeyOperations = EngineTest;

TEST_F(KeyOperations, DragRecordsItsFirstThousandPixelsAsSixteenBitSamples) {
    engine->keyOperation = kSelectBackground;
    engine->sampleDrag(DragPhase::Begin, 2, 1);
    engine->sampleDrag(DragPhase::Continue, 7, 3);
    engine->sampleDrag(DragPhase::Continue, 7, 3);  // the same pixel again counts again
    engine->sampleDrag(DragPhase::Continue, 99, 0);  // off the image: ignored
    engine->sampleDrag(static_cast<DragPhase>(7), 0, 0);  // unknown phase: ignored
    EXPECT_EQ(engine->samples.sampleCount, 3);
    const KeySample& s = engine->samples.foregroundSamples[1];
    EXPECT_EQ(std::vector<int>({s.red, s.green, s.blue, s.fourth}), std::vector<int>({220 << 8, 40 << 8, 53 << 8, 0}));
    for (int i = 3; i < 1000; ++i) engine->sampleDrag(DragPhase::Continue, 0, 0);
    const KeySample last = engine->samples.foregroundSamples[999];
    engine->sampleDrag(DragPhase::Continue, 7, 0);
    EXPECT_EQ(engine->samples.sampleCount, 1000);
    EXPECT_EQ(engine->samples.foregroundSamples[999].red, last.red);
}

TEST_F(KeyOperations, AutoSetupWithoutItsSampleBlockLeavesTheKey) {
    setUniformKey(1, 2, 3, 4, 5, 6);
    const KeyModelRecord before = saveLiveKey();
    engine->allocationsLeft = 0;
    drag(kAutoSetup, {{0, 0}});
    EXPECT_TRUE(sameKey(before, saveLiveKey()));
    EXPECT_EQ(engine->history().count(), 0);  // no pass, no history step
}

TEST_F(KeyOperations, RefiningAColourAlreadyOnTheRightSideChangesNothing) {
    drag(kAutoSetup, {{0, 0}});
    const KeyModelRecord before = saveLiveKey();
    drag(kSelectBackground, {{0, 0}});  // the key colour itself: inside the inner surface
    drag(kSelectForeground, {{6, 0}});  // red on green: already outside the outer surface
    const KeyModelRecord after = saveLiveKey();
    EXPECT_TRUE(sameKey(before, after));
}

TEST_F(KeyOperations, TuningStepPushesAwayFromTheCentreAndClamps) {
    setUniformKey(0, 30000, 30000, 0, 0, 0);
    const Color16 c = tuningStepColor({65280, 31000, 29000});
    EXPECT_EQ(std::vector<int>({c.red, c.green, c.blue}), std::vector<int>({65535, 31100, 28900}));
}

// Records from a parameter block or a settings file may hold any bytes. Every operation on
// such a key must stay defined (the sanitizer build checks every conversion on these paths).
TEST_F(KeyOperations, HostileKeysKeepEveryOperationDefined) {
    const float values[] = {NAN, INFINITY, -INFINITY, 3e38f, -3e38f, -1.0f, 0.0f, 1e9f};
    for (float centre : values)
        for (float radius : values) {
            setUniformKey(centre, 20000, -centre, radius, radius, radius);
            liveKeyModel().innerSurface[3] = -radius;
            drag(kSelectBackground, {{0, 0}, {5, 3}});
            drag(kSelectForeground, {{6, 0}});
            drag(kTuneColors, {{6, 1}});
            engine->beginTuning();
            engine->adjustTuning(0, 1.0f);
            engine->tuningSwatchColor();
            engine->applyTuning();
            engine->blendMode = kBlendSolidColor;
            EXPECT_TRUE(engine->processImage(false, false));
        }
}

} // namespace
} // namespace velokrom
