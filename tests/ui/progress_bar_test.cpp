// The status bar's progress bar through whole operations and early stops.
#include <gtest/gtest.h>

#include "ui/progress_bar.h"

namespace velokrom {
namespace {

class RecordingView : public ProgressBarView {
public:
    void setCursor(CursorShape shape) override { cursor = shape; }
    bool createBar(int32_t maximum) override {
        ++created;
        range = maximum;
        return statusBar;
    }
    void stepBar() override { ++steps; }
    void destroyBar() override { ++destroyed; }

    bool statusBar = true;
    CursorShape cursor = CursorShape::Arrow;
    int created = 0, destroyed = 0, steps = 0;
    int32_t range = -1;
};

TEST(ProgressBar, ThreeHundredRowsCreateOnceStep298TimesAndGoAtTheLast) {
    RecordingView view;
    ProgressBar bar;
    EXPECT_TRUE(bar.report(view, 0, 300));
    EXPECT_EQ(view.cursor, CursorShape::Wait);
    for (int32_t k = 1; k < 299; ++k) bar.report(view, k, 300);
    EXPECT_EQ(view.created, 1);
    EXPECT_EQ(view.range, 299);
    EXPECT_EQ(view.steps, 298);
    EXPECT_EQ(view.destroyed, 0);
    bar.report(view, 299, 300);
    EXPECT_EQ(view.destroyed, 1);
    EXPECT_EQ(view.cursor, CursorShape::Arrow);
    EXPECT_FALSE(bar.shown());
}

TEST(ProgressBar, OneRowShowsARangeOfNothingThatEitherEndRemoves) {
    for (const auto& [done, total] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{5, 1}}) {
        RecordingView view;
        ProgressBar bar;
        bar.report(view, 0, 1);
        EXPECT_EQ(view.range, 0);
        EXPECT_TRUE(bar.shown());
        bar.report(view, done, total);
        EXPECT_EQ(view.destroyed, 1) << done << "/" << total;
        EXPECT_EQ(view.cursor, CursorShape::Arrow);
    }
}

TEST(ProgressBar, WithoutAStatusBarOnlyTheCursorChanges) {
    RecordingView view;
    view.statusBar = false;
    ProgressBar bar;
    bar.report(view, 0, 10);
    EXPECT_EQ(view.cursor, CursorShape::Wait);
    bar.report(view, 3, 10);
    bar.report(view, 9, 10);
    EXPECT_EQ(view.steps, 0);
    EXPECT_EQ(view.destroyed, 0);
    EXPECT_EQ(view.cursor, CursorShape::Arrow);
}

TEST(ProgressBar, AStopMidwayAndARestartMakeOneBarAtATime) {
    RecordingView view;
    ProgressBar bar;
    bar.report(view, 0, 50);
    bar.report(view, 0, 50);  // a second start while shown makes no second bar
    bar.report(view, 10, 50);
    bar.report(view, 0, 0);
    bar.report(view, 0, 70000);  // more rows than sixteen bits count
    EXPECT_EQ(view.created, 2);
    EXPECT_EQ(view.destroyed, 1);
    EXPECT_EQ(view.range, 69999);
}

} // namespace
} // namespace velokrom
