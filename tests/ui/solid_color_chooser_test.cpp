// Select Color without the system's chooser: what it starts at, what an accepted or cancelled
// choice keeps, and when the picture is recomposited.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "keyed_scene.h"
#include "scripted_window.h"
#include "ui/solid_color_chooser.h"

namespace velokrom {
namespace {

const WindowHandle kOwner = reinterpret_cast<WindowHandle>(0x77);

class SolidColorChooser : public KeyedScene {
protected:
    testing::ScriptedColorChooser chooser;
    CustomColors custom{};
};

// The chooser takes and gives 8-bit channels packed as 0x00BBGGRR, the engine holds 16 bits: every
// channel here differs, so that one out of place, or a low byte rounded instead of dropped, shows.
TEST_F(SolidColorChooser, CancelChangesNothingAndAcceptStoresTheColourTimes256WithTheCustomColours) {
    const std::vector<uint16_t> start = {0x1234, 0xABCD, 0x7F00, 1234};
    std::copy(start.begin(), start.end(), engine->solidColor);
    chooser.answer = 0x00FF0180;
    chooser.accept = false;
    EXPECT_FALSE(chooseSolidColor(*engine, chooser, kOwner, custom));
    EXPECT_EQ(std::vector(engine->solidColor, engine->solidColor + 4), start);
    EXPECT_EQ(custom, CustomColors{}) << "a custom colour defined and cancelled is not kept";

    chooser.accept = true;
    EXPECT_FALSE(chooseSolidColor(*engine, chooser, kOwner, custom));
    EXPECT_EQ(chooser.owners, (std::vector<WindowHandle>{kOwner, kOwner}));
    EXPECT_EQ(chooser.offeredInitial, (std::vector<PackedColor>{0x007FAB12, 0x007FAB12}));
    EXPECT_EQ(std::vector(engine->solidColor, engine->solidColor + 4),
              (std::vector<uint16_t>{0x8000, 0x0100, 0xFF00, 1234}))
        << "the fourth word stays";
    EXPECT_EQ(custom[3], 0x00336699u) << "the custom colour defined and accepted is kept";
}

TEST_F(SolidColorChooser, OnlyTheSolidColorBlendIsRecomposited) {
    // The subject half transparent, so that the reference colour matters.
    setUniformKey(10000, 20000, 10000, 1000, 6000, 20000);
    engine->processImage(false, false);
    chooser.answer = 0x000000FF;  // red
    const RgbImage before = engine->output;
    EXPECT_FALSE(chooseSolidColor(*engine, chooser, kOwner, custom));
    EXPECT_EQ(engine->output.pixels, before.pixels);
    EXPECT_EQ(engine->history().count(), 1);

    engine->blendMode = kBlendSolidColor;
    chooser.answer = 0x0000FF00;  // green
    EXPECT_TRUE(chooseSolidColor(*engine, chooser, kOwner, custom));
    EXPECT_EQ(engine->history().count(), 2);
    EXPECT_NE(engine->output.pixels, before.pixels);
}

} // namespace
} // namespace velokrom
