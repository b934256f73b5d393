#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "engine_fixture.h"
#include "named_cases.h"

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

// A script of steps, one per word: cN changes the key to N (a drag and its pass), u undo, r redo,
// i reset to the initial entry, m mark, k return to the mark; a leading ! expects the step to be
// refused. =N expects the key N, #N expects N entries, ~ expects no mark.
struct HistoryScript {
    const char* name;
    const char* steps;
};

class HistoryScripts : public History, public ::testing::WithParamInterface<HistoryScript> {
protected:
    bool step(char operation) {
        switch (operation) {
        case 'u': return engine->undo();
        case 'r': return engine->redo();
        case 'i': return engine->resetToInitial();
        case 'm': return engine->markSettings();
        case 'k': return engine->returnToMark();
        }
        ADD_FAILURE() << "unknown step " << operation;
        return false;
    }
};

TEST_P(HistoryScripts, Run) {
    std::istringstream steps(GetParam().steps);
    for (std::string word; steps >> word;) {
        const bool refused = word[0] == '!';
        const std::string op = refused ? word.substr(1) : word;
        if (op[0] == 'c') change(std::stof(op.substr(1)));
        else if (op[0] == '=') EXPECT_EQ(key(), std::stof(op.substr(1))) << "at " << word;
        else if (op[0] == '#') EXPECT_EQ(h().count(), std::stoi(op.substr(1))) << "at " << word;
        else if (op[0] == '~') EXPECT_EQ(h().marked(), nullptr) << "at " << word;
        else EXPECT_EQ(step(op[0]), !refused) << "at " << word;
    }
}

const HistoryScript kScripts[] = {
    {"NothingToStepThroughAfterTheFirstPass", "#1 !u !r !i !k"},
    {"UndoAndRedoWalkTheListWithoutRecording", "c1 c2 u u =0 !u r r =2 !r #3"},
    {"ResetKeepsLaterEntriesForRedo", "c1 c2 i =0 !i r =1 r =2"},
    {"ANewChangeInTheMiddleDiscardsTheLaterEntries", "c1 c2 c3 u u c9 #3 !r u =1"},
    {"ReturnToMarkKeepsLaterChanges", "c1 m c2 c3 k =1 r r =3"},
    {"ADiscardedMarkIsCleared", "c1 c2 m u c5 ~ !k =5"},
};

INSTANTIATE_TEST_SUITE_P(History, HistoryScripts, ::testing::ValuesIn(kScripts), testing::CaseName());

// A mark on the second entry goes with it when the list reaches its limit.
TEST_F(History, TheFirstEntrySurvivesTheLimitAndAMarkOnADroppedEntryGoes) {
    change(1);
    engine->markSettings();
    for (int i = 2; i <= 120; ++i) change(float(i));
    EXPECT_EQ(h().count(), 100);
    EXPECT_EQ(h().marked(), nullptr);
    EXPECT_FALSE(engine->returnToMark());
    int steps = 0;
    while (engine->undo()) ++steps;
    EXPECT_EQ(steps, 99);
    EXPECT_EQ(key(), 0.0f);
    engine->redo();
    EXPECT_EQ(key(), 22.0f);  // the oldest changes after the first entry were dropped
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
