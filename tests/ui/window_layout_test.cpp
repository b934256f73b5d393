// The main window's size and place for images narrower than the toolbar, wider and taller than
// the screen, and degenerate ones.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "ui/window_layout.h"

namespace velokrom {
namespace {

constexpr BarHeights kBars{27, 19};

std::tuple<int32_t, int32_t, int32_t, int32_t> placeAndSize(const PixelRect& r) {
    return {r.left, r.top, r.width(), r.height()};
}

TEST(MainClientSize, FitsTheImageToolbarAndScreen) {
    struct Case {
        const char* name;
        int32_t imageWidth, imageHeight;
        int32_t width, height;  // on a 1024 x 768 screen
    };
    const Case cases[] = {
        // narrower than the toolbar: as much taller as the width ratio
        {"Narrow", 243, 100, 486, 200},
        {"FitsAsItIs", 800, 600, 800, 600},
        // as wide as the screen or wider: the screen less 50
        {"AsWideAsTheScreen", 1024, 300, 974, 300},
        {"WiderThanTheScreen", 6000, 300, 974, 300},
        // too tall: the screen less 50 (times the ratio) and both bars
        {"TallerThanTheScreen", 800, 4000, 800, 768 - 50 - 46},
        {"BarsTipItOver", 800, 768 - 46, 800, 768 - 50 - 46},
        {"NarrowAndTall", 243, 700, 486, 768 - 100 - 46},
        // so narrow that the ratio's margin would exceed the screen: the plain margin
        {"Strip", 2, 3000, 486, 768 - 50 - 46},
        {"NoPixels", 0, 0, 486, 486},
    };
    for (const Case& c : cases) {
        const ClientSize size = mainClientSize(c.imageWidth, c.imageHeight, 1024, 768, kBars);
        EXPECT_EQ(std::pair(size.width, size.height), std::pair(c.width, c.height)) << c.name;
    }
}

TEST(MainWindowPlace, CentredWithTheBarsAroundTheImage) {
    EXPECT_EQ(placeAndSize(mainClientRect({486, 200}, 1024, 768, kBars)),
              std::tuple((1024 - 486) / 2, (768 - 27 - 200) / 2, 486, 200 + 27 + 19));
}

TEST(MainWindowPlace, AWindowOffTheTopOrLeftIsCentredOnThatAxisOnly) {
    EXPECT_EQ(placeAndSize(keepOnScreen({100, -30, 900, 770}, 1024, 768)), std::tuple(100, (768 - 800) / 2, 800, 800));
    EXPECT_EQ(placeAndSize(keepOnScreen({-8, 20, 1032, 700}, 1024, 768)), std::tuple((1024 - 1040) / 2, 20, 1040, 680));
}

TEST(MainWindowPlace, DisplayFillsTheClientBetweenTheBars) {
    EXPECT_EQ(placeAndSize(displayWindowRect(486, 246, kBars)), std::tuple(0, 25, 486, 227 - 25));
    const PixelRect bare = displayWindowRect(486, 200, {0, 0});  // without bars
    EXPECT_EQ(std::pair(bare.top, bare.bottom), std::pair(-2, 200));
}

} // namespace
} // namespace velokrom
