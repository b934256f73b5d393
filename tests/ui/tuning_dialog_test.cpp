// The colour tuning dialog without its window: slider steps and texts, when the key changes and
// when the picture shows it, and what Apply and Close keep.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "composite/sample_drag.h"
#include "keyed_scene.h"
#include "scripted_window.h"
#include "ui/tuning_dialog.h"
#include "ui/tuning_dialog_ids.h"

namespace velokrom {
namespace {

TEST(TuningSliders, StepsAndClamps) {
    struct Case {
        int32_t from;
        ScrollRequest request;
        int32_t thumb;
        int32_t to;
    };
    // A page forward from 0 and a thumb at 1000 are in the dialog's tests below.
    const Case cases[] = {
        {0, ScrollRequest::LineForward, 0, 1},      {0, ScrollRequest::LineBack, 0, -1},
        {-990, ScrollRequest::PageBack, 0, -1000},  {1000, ScrollRequest::LineForward, 0, 1000},
        {5, ScrollRequest::Thumb, -1000, -1000},    {5, ScrollRequest::Thumb, 4000, 1000},
        {5, ScrollRequest::Top, 77, -1000},         {5, ScrollRequest::Bottom, 77, 1000},
        {123, ScrollRequest::EndScroll, 77, 123},   {123, ScrollRequest::Other, 77, 123},
    };
    for (const Case& c : cases)
        EXPECT_EQ(scrolledPosition(c.from, c.request, c.thumb, -1000, 1000), c.to) << c.from << " " << int(c.request);
    const int32_t pages[][3] = {{-1000, 1000, 40}, {0, 999, 100}, {0, 10, 1}, {0, 5, 1}};
    for (const auto& p : pages) EXPECT_EQ(sliderPageStep(p[0], p[1]), p[2]) << p[0] << ".." << p[1];
}

TEST(TuningSliders, EveryPositionShowsItsExactThousandths) {
    for (int32_t p = -1000; p <= 1000; ++p) {
        const int32_t magnitude = p < 0 ? -p : p;
        char expected[16];
        std::snprintf(expected, sizeof expected, "%s%d.%03d", p < 0 ? "-" : "", magnitude / 1000, magnitude % 1000);
        ASSERT_EQ(sliderText(p), expected) << p;
    }
}

class TuningDialogTest : public KeyedScene {
protected:
    void SetUp() override {
        KeyedScene::SetUp();
        engine->keyOperation = kTuneColors;
        replayDrag(*engine, {{6, 1}, {7, 2}, {7, 2}});
        ASSERT_TRUE(engine->tuningTarget().valid);
        atDrag = saveLiveKey();
        dialog.emplace(*engine, view);
        dialog->tuningDragEnded();
        ASSERT_TRUE(dialog->isOpen());
        ASSERT_EQ(view.calls, (std::vector<std::string>{"create", "reset"}));  // its sliders at zero
        view.calls.clear();
    }
    void move(int32_t sliderId, ScrollRequest request, int32_t thumb = 0) {
        ASSERT_TRUE(dialog->scroll(sliderId, request, thumb));
    }

    testing::ScriptedTuningView view;
    std::optional<TuningDialog> dialog;  // made once the engine exists
    KeyModelRecord atDrag{};
};

// A second drag keeps the sliders where they are; Close then discards every slider move since that
// drag, once.
TEST_F(TuningDialogTest, ASecondDragKeepsTheSlidersAndCloseReturnsToTheKeyAtThatDragOnce) {
    move(IDC_TUNE_CLIP_LOW, ScrollRequest::PageForward);
    const KeyModelRecord moved = saveLiveKey();
    view.calls.clear();
    dialog->tuningDragEnded();
    EXPECT_EQ(view.calls, std::vector<std::string>{"swatch"});
    EXPECT_EQ(dialog->position(2), 40);
    move(IDC_TUNE_DECOLOR, ScrollRequest::PageForward);
    move(IDC_TUNE_CLIP_HIGH, ScrollRequest::LineBack);
    dialog->close();
    EXPECT_TRUE(sameKey(saveLiveKey(), moved));
    EXPECT_FALSE(dialog->isOpen());
    EXPECT_EQ(view.calls.back(), "destroy");
    EXPECT_EQ(engine->history().count(), 1);

    // Closed already: a second close must not bring back an old key.
    setUniformKey(1, 2, 3, 4, 5, 6);
    const KeyModelRecord later = saveLiveKey();
    dialog->close();
    EXPECT_TRUE(sameKey(saveLiveKey(), later));
}

TEST_F(TuningDialogTest, AWindowThatCannotBeMadeLeavesTheDialogShut) {
    testing::ScriptedTuningView failing;
    failing.creatable = false;
    TuningDialog refused(*engine, failing);
    refused.tuningDragEnded();
    EXPECT_FALSE(refused.isOpen());
    EXPECT_EQ(failing.calls, std::vector<std::string>{"create"});
}

TEST_F(TuningDialogTest, ASliderChangesTheKeyAndTheSwatchButNotThePicture) {
    const Rgb8 swatch = dialog->swatchColor();
    const RgbImage output = engine->output;
    move(IDC_TUNE_CLIP_LOW, ScrollRequest::Thumb, 1000);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"slider 1025 1000", "text 1012 1.000", "swatch"}));
    EXPECT_FALSE(dialog->swatchColor() == swatch);
    EXPECT_FALSE(sameKey(saveLiveKey(), atDrag));
    EXPECT_EQ(engine->output.pixels, output.pixels);
    EXPECT_EQ(engine->history().count(), 1);

    EXPECT_FALSE(dialog->scroll(IDC_TUNE_SWATCH, ScrollRequest::PageBack, 0));
    EXPECT_FALSE(dialog->scroll(IDC_TUNE_APPLY, ScrollRequest::Top, 0));
    EXPECT_EQ(dialog->position(2), 1000);
}

TEST_F(TuningDialogTest, ApplyKeepsTheChangeShowsItAndReturnsTheSlidersToZero) {
    const RgbImage output = engine->output;
    move(IDC_TUNE_CLIP_LOW, ScrollRequest::Thumb, 1000);
    view.calls.clear();
    dialog->apply();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"refresh", "reset"}));
    EXPECT_EQ(dialog->position(2), 0);
    EXPECT_TRUE(dialog->isOpen());
    EXPECT_EQ(engine->history().count(), 2);
    EXPECT_NE(engine->output.pixels, output.pixels);

    const KeyModelRecord applied = saveLiveKey();
    dialog->close();
    EXPECT_TRUE(sameKey(saveLiveKey(), applied));
}

} // namespace
} // namespace velokrom
