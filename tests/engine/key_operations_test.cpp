#include <gtest/gtest.h>

#include <cmath>

#include "engine/face_planes.h"
#include "engine/key_operations.h"
#include "engine_fixture.h"

namespace velokrom {
namespace {

using KeyOperations = EngineTest;

void expectNested() {
    const KeyModel& m = liveKeyModel();
    for (int v = 0; v < kVertexCount; ++v) {
        EXPECT_LE(m.innerSurface[v], m.middleSurface[v]) << v;
        EXPECT_LE(m.middleSurface[v], m.outerSurface[v]) << v;
    }
}

TEST_F(KeyOperations, DragRecordsSixteenBitSamples) {
    engine->keyOperation = kSelectBackground;
    engine->sampleDrag(DragPhase::Begin, 2, 1);
    engine->sampleDrag(DragPhase::Continue, 7, 3);
    engine->sampleDrag(DragPhase::Continue, 7, 3);  // the same pixel again counts again
    engine->sampleDrag(DragPhase::Continue, 99, 0);  // off the image: ignored
    EXPECT_EQ(engine->samples.sampleCount, 3);
    const KeySample& s = engine->samples.foregroundSamples[1];
    EXPECT_EQ(s.red, 220 << 8);
    EXPECT_EQ(s.green, 40 << 8);
    EXPECT_EQ(s.blue, 53 << 8);
    EXPECT_EQ(s.fourth, 0);
    engine->sampleDrag(static_cast<DragPhase>(7), 0, 0);  // unknown phase
    EXPECT_EQ(engine->samples.sampleCount, 3);
}

TEST_F(KeyOperations, DragKeepsItsFirstThousandPixels) {
    engine->keyOperation = kSelectBackground;
    engine->sampleDrag(DragPhase::Begin, 0, 0);
    for (int i = 1; i < 1000; ++i) engine->sampleDrag(DragPhase::Continue, 0, 0);
    const KeySample last = engine->samples.foregroundSamples[999];
    engine->sampleDrag(DragPhase::Continue, 7, 0);
    EXPECT_EQ(engine->samples.sampleCount, 1000);
    EXPECT_EQ(engine->samples.foregroundSamples[999].red, last.red);
}

TEST_F(KeyOperations, AutoSetupFitsTheOuterSurfaceAndNestsTheOthers) {
    drag(kAutoSetup, {{0, 0}, {1, 0}, {2, 1}});
    const KeyModel& m = liveKeyModel();
    EXPECT_EQ(m.keyCenter[0], float(((20 + 30 + 40) << 8) / 3));
    EXPECT_EQ(m.keyCenter[1], float((200 + 200 + 192) * 256 / 3));
    bool shrunk = false;
    for (int v = 0; v < kVertexCount; ++v) {
        EXPECT_EQ(m.middleSurface[v], m.outerSurface[v]);
        EXPECT_EQ(m.innerSurface[v], std::min(2550.0f, m.outerSurface[v]));
        shrunk = shrunk || m.outerSurface[v] < 130560.0f;
    }
    EXPECT_TRUE(shrunk);
    // The backing is keyed out, the subject stays.
    EXPECT_EQ(engine->matte[0], 0);
    EXPECT_EQ(engine->matte[7], 255);
    EXPECT_EQ(engine->history().count(), 1);
}

TEST_F(KeyOperations, AutoSetupWithoutItsSampleBlockLeavesTheKey) {
    setUniformKey(1, 2, 3, 4, 5, 6);
    engine->allocationsLeft = 0;
    drag(kAutoSetup, {{0, 0}});
    EXPECT_EQ(liveKeyModel().keyCenter[0], 1.0f);
    EXPECT_EQ(liveKeyModel().outerSurface[0], 6.0f);
    EXPECT_EQ(engine->history().count(), 0);  // no pass, no history step
}

TEST_F(KeyOperations, RefinementsMoveOnlyTheirSurfaceOutward) {
    drag(kAutoSetup, {{0, 0}});
    const KeyModel before = liveKeyModel();
    drag(kSelectBackground, {{5, 3}, {3, 2}});
    const KeyModel& m = liveKeyModel();
    bool grew = false;
    for (int v = 0; v < kVertexCount; ++v) {
        EXPECT_GE(m.innerSurface[v], before.innerSurface[v]);
        grew = grew || m.innerSurface[v] > before.innerSurface[v];
    }
    EXPECT_TRUE(grew);
    expectNested();
    // The refined backing pixel is now fully transparent.
    EXPECT_EQ(engine->matte[3 * 8 + 5], 0);

    drag(kSelectForeground, {{6, 0}});
    for (int v = 0; v < kVertexCount; ++v) EXPECT_LE(m.outerSurface[v], before.outerSurface[v]);
    expectNested();
}

TEST_F(KeyOperations, RefiningAColourAlreadyOnTheRightSideChangesNothing) {
    drag(kAutoSetup, {{0, 0}});
    const KeyModelRecord before = saveLiveKey();
    drag(kSelectBackground, {{0, 0}});  // the key colour itself: inside the inner surface
    drag(kSelectForeground, {{6, 0}});  // red on green: already outside the outer surface
    const KeyModelRecord after = saveLiveKey();
    EXPECT_EQ(std::memcmp(before.bytes, after.bytes, kKeyModelRecordSize), 0);
}

TEST_F(KeyOperations, TuningStepPushesAwayFromTheCentreAndClamps) {
    setUniformKey(0, 30000, 30000, 0, 0, 0);
    const Color16 c = tuningStepColor({65280, 31000, 29000});
    EXPECT_EQ(c.red, 65535);
    EXPECT_EQ(c.green, 31100);
    EXPECT_EQ(c.blue, 28900);
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
