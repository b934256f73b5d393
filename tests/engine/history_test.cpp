#include <gtest/gtest.h>

#include <cstring>

#include "engine_fixture.h"

namespace velokrom {
namespace {

// Each "change" sets a distinct key centre and runs the pass that records it, as a drag does.
class History : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        engine->processImage(false, true);  // the run's first pass: the initial entry
    }
    void change(float marker) {
        liveKeyModel().keyCenter[0] = marker;
        engine->processImage(false, true);
    }
    static float key() { return liveKeyModel().keyCenter[0]; }
    const KeyHistory& h() { return engine->history(); }
};

TEST_F(History, NothingToStepThroughAfterTheFirstPass) {
    EXPECT_EQ(h().count(), 1);
    EXPECT_FALSE(engine->undo());
    EXPECT_FALSE(engine->redo());
    EXPECT_FALSE(engine->resetToInitial());
    EXPECT_FALSE(engine->returnToMark());
}

TEST_F(History, UndoAndRedoWalkTheList) {
    change(1);
    change(2);
    EXPECT_TRUE(engine->undo());
    EXPECT_TRUE(engine->undo());
    EXPECT_EQ(key(), 0.0f);
    EXPECT_FALSE(engine->undo());
    EXPECT_TRUE(engine->redo());
    EXPECT_TRUE(engine->redo());
    EXPECT_EQ(key(), 2.0f);
    EXPECT_FALSE(engine->redo());
    EXPECT_EQ(h().count(), 3);  // stepping never records
}

TEST_F(History, ResetKeepsLaterEntriesForRedo) {
    change(1);
    change(2);
    EXPECT_TRUE(engine->resetToInitial());
    EXPECT_EQ(key(), 0.0f);
    EXPECT_FALSE(engine->resetToInitial());
    EXPECT_TRUE(engine->redo());
    EXPECT_EQ(key(), 1.0f);
    EXPECT_TRUE(engine->redo());
    EXPECT_EQ(key(), 2.0f);
}

TEST_F(History, ANewChangeInTheMiddleDiscardsTheLaterEntries) {
    change(1);
    change(2);
    change(3);
    engine->undo();
    engine->undo();
    change(9);
    EXPECT_EQ(h().count(), 3);
    EXPECT_FALSE(engine->redo());
    engine->undo();
    EXPECT_EQ(key(), 1.0f);
}

TEST_F(History, TheFirstEntrySurvivesTheLimit) {
    for (int i = 1; i <= 120; ++i) change(float(i));
    EXPECT_EQ(h().count(), 100);
    int steps = 0;
    while (engine->undo()) ++steps;
    EXPECT_EQ(steps, 99);
    EXPECT_EQ(key(), 0.0f);
    engine->redo();
    EXPECT_EQ(key(), 22.0f);  // the oldest changes after the first entry were dropped
}

TEST_F(History, ReturnToMarkKeepsLaterChanges) {
    change(1);
    EXPECT_TRUE(engine->markSettings());
    change(2);
    change(3);
    EXPECT_TRUE(engine->returnToMark());
    EXPECT_EQ(key(), 1.0f);
    EXPECT_TRUE(engine->redo());
    EXPECT_TRUE(engine->redo());
    EXPECT_EQ(key(), 3.0f);
}

TEST_F(History, ADiscardedMarkIsCleared) {
    change(1);
    change(2);
    engine->markSettings();  // marks the entry of change 2
    engine->undo();
    change(5);               // discards it
    EXPECT_EQ(h().marked(), nullptr);
    EXPECT_FALSE(engine->returnToMark());
    EXPECT_EQ(key(), 5.0f);
    // A mark on the second entry is dropped with it at the limit as well.
    engine->undo();
    engine->markSettings();
    for (int i = 0; i < 120; ++i) change(float(100 + i));
    EXPECT_FALSE(engine->returnToMark());
}

TEST_F(History, StepsReprocessWithoutRecording) {
    change(1);
    engine->output.pixels.assign(engine->output.pixels.size(), 7);
    engine->undo();
    EXPECT_NE(engine->output.pixels[0], 7);  // the pass ran again
    EXPECT_EQ(h().count(), 2);
}

} // namespace
} // namespace velokrom
