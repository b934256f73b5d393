// The status bar's progress bar through whole operations and early stops.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "scripted_window.h"
#include "ui/progress_bar.h"

namespace velokrom {
namespace {

TEST(ProgressBar, ThreeHundredRowsCreateOnceStep298TimesAndGoAtTheLast) {
    testing::ScriptedProgressBar view;
    ProgressBar bar;
    EXPECT_TRUE(bar.report(view, 0, 300));
    EXPECT_EQ(view.cursor, CursorShape::Wait);
    for (int32_t k = 1; k < 299; ++k) bar.report(view, k, 300);
    EXPECT_EQ(view.created, 1);
    EXPECT_EQ(view.range, 299);
    EXPECT_EQ(view.steps, 298);
    EXPECT_TRUE(view.shown);
    bar.report(view, 299, 300);
    EXPECT_FALSE(view.shown);
    EXPECT_EQ(view.cursor, CursorShape::Arrow);
    EXPECT_FALSE(bar.shown());
}

// A bar for one row has a range of nothing; whichever way an operation ends, the bar goes and
// the next start makes one bar again.
TEST(ProgressBar, EveryEndRemovesTheBarAndEveryStartAfterItMakesOne) {
    testing::ScriptedProgressBar view;
    ProgressBar bar;
    for (const auto& [done, total] : {std::pair{1, 1}, std::pair{5, 1}, std::pair{0, 0}}) {
        bar.report(view, 0, 1);
        EXPECT_EQ(std::tuple(view.range, view.shown), std::tuple(0, true));
        bar.report(view, done, total);
        EXPECT_FALSE(view.shown) << done << "/" << total;
        EXPECT_EQ(view.cursor, CursorShape::Arrow);
    }
    bar.report(view, 0, 50);
    bar.report(view, 0, 50);  // a second start while shown makes no second bar
    bar.report(view, 10, 50);
    bar.report(view, 0, 0);
    bar.report(view, 0, 70000);  // more rows than sixteen bits count
    EXPECT_EQ(view.created, 3 + 2);
    EXPECT_TRUE(view.shown);
    EXPECT_EQ(view.range, 69999);
}

} // namespace
} // namespace velokrom
