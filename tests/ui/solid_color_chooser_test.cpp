// Select Color without the system's chooser: what it starts at, what an accepted or cancelled
// choice keeps, and when the picture is recomposited.
#include <gtest/gtest.h>

#include <vector>

#include "keyed_scene.h"
#include "scripted_window.h"
#include "ui/solid_color_chooser.h"

namespace velokrom {
namespace {

const WindowHandle kOwner = reinterpret_cast<WindowHandle>(0x77);

TEST(ScreenColors, ConversionsKeepEachChannelInItsPlace) {
    struct Case {
        Color16 engine;
        Rgb8 screen;
        PackedColor packed;
    };
    // Each channel in its own byte, and the low byte dropped rather than rounded.
    const Case cases[] = {
        {{0x1234, 0xABCD, 0x7F00}, {0x12, 0xAB, 0x7F}, 0x007FAB12},
        {{65535, 0, 255}, {255, 0, 0}, 0x000000FF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(screenColor(c.engine), c.screen);
        EXPECT_EQ(packedColor(c.screen), c.packed);
        EXPECT_EQ(unpackedColor(c.packed), c.screen);
    }
    EXPECT_EQ(engineChannel(1), 256);
}

class SolidColorChooser : public KeyedScene {
protected:
    testing::ScriptedColorChooser chooser;
    CustomColors custom{};
};

TEST_F(SolidColorChooser, CancelChangesNothingAndAcceptStoresTheColourTimes256WithTheCustomColours) {
    engine->solidColor[3] = 1234;
    chooser.answer = 0x00FFFFFF;
    chooser.accept = false;
    EXPECT_FALSE(chooseSolidColor(*engine, chooser, kOwner, custom));
    EXPECT_EQ(engine->solidColor[0], 32767);
    EXPECT_EQ(custom, CustomColors{}) << "a custom colour defined and cancelled is not kept";

    chooser.accept = true;
    EXPECT_FALSE(chooseSolidColor(*engine, chooser, kOwner, custom));
    EXPECT_EQ(chooser.owners, (std::vector<WindowHandle>{kOwner, kOwner}));
    EXPECT_EQ(chooser.offeredInitial.back(), 0x007F7F7Fu) << "the starting grey 32767";
    for (int c = 0; c < 3; ++c) EXPECT_EQ(engine->solidColor[c], 65280);
    EXPECT_EQ(engine->solidColor[3], 1234) << "the fourth word stays";
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
