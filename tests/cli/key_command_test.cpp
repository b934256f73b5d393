#include "cli_fixture.h"
#include "engine/settings_file.h"
#include "platform/platform_services_posix.h"

namespace velokrom::cli {
namespace {

using KeyCommand = CliTest;

std::vector<uint8_t> bytesOf(const std::string& file) { return testing::ScratchFolder::readBytes(file); }

// The drags a person would make in the window, driven on the engine directly.
void dragInWindow(MemoryImageAccess& engine, KeyOperation operation, const std::vector<DragPoint>& pixels) {
    engine.keyOperation = operation;
    replayDrag(engine, pixels);
}

TEST_F(KeyCommand, SavesTheKeyThatTheSameDragsInTheWindowMake) {
    const CliResult r = run({"key", "@fg.png", "--background", "@bg.png", "--auto", "2,2;3,2;2,3", "--select-background",
                             "60,40:61,41", "--select-foreground", "30,16", "--tune", "62,2:63,3", "--sliders",
                             "-300,250,40", "--save", "@key.vkp"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "key saved to " + path("key.vkp") + "\n");

    MemoryImageAccess engine(readRgbImage(path("fg.png"), "fg"), readRgbImage(path("bg.png"), "bg"));
    clearKeyModel();
    dragInWindow(engine, kAutoSetup, {{2, 2}, {3, 2}, {2, 3}});
    dragInWindow(engine, kSelectBackground, {{60, 40}, {61, 40}, {60, 41}, {61, 41}});
    dragInWindow(engine, kSelectForeground, {{30, 16}});
    dragInWindow(engine, kTuneColors, {{62, 2}, {63, 2}, {62, 3}, {63, 3}});
    engine.beginTuning();
    engine.adjustTuning(0, -0.3f);
    engine.adjustTuning(1, 0.25f);
    engine.adjustTuning(2, 0.04f);
    engine.applyTuning();
    PosixPlatformServices files;
    ASSERT_TRUE(writeSettingsFile(files, path("window.vkp")));
    EXPECT_EQ(bytesOf(path("key.vkp")), bytesOf(path("window.vkp")));
}

TEST_F(KeyCommand, OperationsApplyInCommandLineOrder) {
    ASSERT_EQ(run({"key", "@fg.png", "--auto", "2,2", "--select-foreground", "30,16", "--save", "@a.vkp"}).status, 0);
    ASSERT_EQ(run({"key", "@fg.png", "--select-foreground", "30,16", "--auto", "2,2", "--save", "@b.vkp"}).status, 0);
    ASSERT_EQ(run({"key", "@fg.png", "--auto", "2,2", "--save", "@c.vkp"}).status, 0);
    EXPECT_NE(bytesOf(path("a.vkp")), bytesOf(path("b.vkp")));
    EXPECT_EQ(bytesOf(path("b.vkp")), bytesOf(path("c.vkp")));  // Auto Setup replaces what came before
}

TEST_F(KeyCommand, StartsFromALoadedKeyOrFromAClearedOne) {
    ASSERT_EQ(run({"key", "@fg.png", "--load", "@k.vkp", "--save", "@copy.vkp"}).status, 0);
    EXPECT_EQ(bytesOf(path("copy.vkp")), bytesOf(path("k.vkp")));

    ASSERT_EQ(run({"key", "@fg.png", "--load", "@k.vkp", "--select-background", "20,2", "--save", "@more.vkp"}).status, 0);
    ASSERT_EQ(run({"key", "@fg.png", "--select-background", "20,2", "--save", "@fresh.vkp"}).status, 0);
    EXPECT_NE(bytesOf(path("more.vkp")), bytesOf(path("fresh.vkp")));
    const CliResult info = run({"info", "@fresh.vkp"});
    EXPECT_NE(info.out.find("centre          0.00, 0.00, 0.00"), std::string::npos) << info.out;
}

TEST_F(KeyCommand, InfoShowsCentreOptionsAndRadii) {
    const CliResult r = run({"info", "@k.vkp"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* line : {"  centre          ", "  options         0x00000000", "  inner surface   radius 2550.00 .. ",
                             "  middle surface  radius ", "  outer surface   radius "})
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
}

TEST_F(KeyCommand, EveryCommandExplainsItself) {
    for (const std::vector<std::string>& words : {std::vector<std::string>{"--help"}, {"key", "--help"},
                                                  {"render", "--out", "x", "--help"}, {"info", "-h"}}) {
        const CliResult r = run(words);
        EXPECT_EQ(r.status, 0);
        EXPECT_NE(r.out.find("velokrom"), std::string::npos);
        EXPECT_EQ(r.err, "");
    }
}

} // namespace
} // namespace velokrom::cli
