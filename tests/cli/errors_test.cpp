#include <filesystem>
#include <fstream>

#include "cli_fixture.h"

namespace velokrom::cli {
namespace {

// Every failure is one line and exit status 2, and leaves the folder exactly as it was.
class CliErrors : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        std::ofstream(path("notes.png")) << "not an image";
        std::ofstream(path("notes.vkp")) << "VelokromData Rev. 9.9";
        writeRgb("small.png", RgbImage(kWidth - 1, kHeight));
    }
};

TEST_F(CliErrors, MissingOrUnreadableFiles) {
    expectRefused({"key", "@none.png", "--auto", "1,1", "--save", "@new.vkp"}, "cannot read foreground");
    expectRefused({"key", "@notes.png", "--auto", "1,1", "--save", "@new.vkp"}, "cannot read foreground");
    expectRefused({"key", "@fg.png", "--background", "@none.png", "--auto", "1,1", "--save", "@new.vkp"},
                  "cannot read background");
    expectRefused({"render", "@none.png", "--key", "@k.vkp", "--gray", "--out", "@o.png"}, "no such file");
    expectRefused({"render", "@fg.png", "--key", "@none.vkp", "--gray", "--out", "@o.png"}, "cannot read key");
}

TEST_F(CliErrors, FilesThatAreNotSettingsFiles) {
    expectRefused({"render", "@fg.png", "--key", "@notes.vkp", "--gray", "--out", "@o.png"}, "not a Velokrom settings file");
    expectRefused({"key", "@fg.png", "--load", "@notes.vkp", "--save", "@new.vkp"}, "not a Velokrom settings file");
    expectRefused({"info", "@bg.png"}, "not a Velokrom settings file");
}

TEST_F(CliErrors, PointsOffTheImageAndBadSyntax) {
    expectRefused({"key", "@fg.png", "--auto", "1,1;64,0", "--save", "@new.vkp"}, "point 64,0 lies outside the 64 x 48 image");
    expectRefused({"key", "@fg.png", "--auto", "1,1", "--select-foreground", "0,0:10,48", "--save", "@new.vkp"},
                  "lies outside");
    expectRefused({"key", "@fg.png", "--auto", "1;1", "--save", "@new.vkp"}, "'1'");
    expectRefused({"key", "@fg.png", "--auto", "--save", "@new.vkp"}, "not a whole number");
    expectRefused({"key", "@fg.png", "--auto"}, "--auto needs a value");
    expectRefused({"key", "@fg.png", "--background", "@bg.png", "--tune", "1,1", "--sliders", "0,1001,0", "--save",
                   "@new.vkp"},
                  "1001 is outside -1000..1000");
    expectRefused({"key", "@fg.png", "--background", "@bg.png", "--tune", "1,1", "--sliders", "0,0", "--save", "@new.vkp"},
                  "needs 3 comma-separated numbers");
    expectRefused({"key", "@fg.png", "--auto", "1,1", "--sliders", "0,0,0", "--save", "@new.vkp"}, "right after a --tune");
    expectRefused({"render", "@fg.png", "--key", "@k.vkp", "--gray", "--solid", "1,2,256", "--out", "@o.png"},
                  "256 is outside 0..255");
    expectRefused({"render", "@fg.png", "--key", "@k.vkp", "--gray", "--blend", "soft", "--out", "@o.png"}, "'soft'");
    expectRefused({"render", "@fg.png", "--key", "@k.vkp", "--gray", "--out", "@o.png", "--shiny"}, "unknown option '--shiny'");
    expectRefused({"render", "@fg.png", "@bg.png", "--key", "@k.vkp", "--gray", "--out", "@o.png"}, "unexpected argument");
    expectRefused({"paint", "@fg.png"}, "unknown command 'paint'");
    expectRefused({}, "no command given");
}

TEST_F(CliErrors, MissingOrConflictingOptions) {
    expectRefused({"key", "@fg.png", "--auto", "1,1"}, "key needs --save");
    expectRefused({"key", "--auto", "1,1", "--save", "@new.vkp"}, "key needs a FOREGROUND");
    expectRefused({"key", "@fg.png", "--tune", "1,1", "--save", "@new.vkp"}, "--tune needs --background");
    expectRefused({"key", "@fg.png", "--save", "@a.vkp", "--save", "@b.vkp"}, "--save is given twice");
    expectRefused({"render", "@fg.png", "--key", "@k.vkp", "--out", "@o.png"}, "either --background BG or --gray");
    expectRefused({"render", "@fg.png", "--key", "@k.vkp", "--gray", "--background", "@bg.png", "--out", "@o.png"},
                  "either --background BG or --gray");
    expectRefused({"render", "@fg.png", "--key", "@k.vkp", "--gray"}, "render needs --out");
    expectRefused({"render", "@fg.png", "--gray", "--out", "@o.png"}, "render needs --key");
}

TEST_F(CliErrors, BackgroundOfAnotherSize) {
    expectRefused({"key", "@fg.png", "--background", "@small.png", "--auto", "1,1", "--save", "@new.vkp"},
                  "the background is 63 x 48 but the foreground is 64 x 48");
    expectRefused({"render", "@fg.png", "--key", "@k.vkp", "--background", "@small.png", "--out", "@o.png"}, "63 x 48");
}

TEST_F(CliErrors, OutputsThatCannotBeWrittenOrWouldReplaceAnInput) {
    expectRefused({"render", "@fg.png", "--key", "@k.vkp", "--gray", "--out", "@o.jpg", "--alpha"}, "no alpha channel");
    expectRefused({"render", "@fg.png", "--key", "@k.vkp", "--gray", "--out", "@o.unknownformat"}, "cannot write");
    // What the format's own writer would take the process down over.
    expectRefused({"render", "@fg.png", "--key", "@k.vkp", "--gray", "--out", "@o.png", "--matte", "@m.webp"},
                  "cannot write '" + path("m.webp") + "': a WebP file holds RGB or RGBA only");
    writeRgb("long.png", RgbImage(65501, 1));
    expectRefused({"render", "@long.png", "--key", "@k.vkp", "--gray", "--out", "@o.jpg"},
                  "a JPEG file holds at most 65500 pixels a side");
}

TEST_F(CliErrors, InputsDamagedMidwayLeaveNoOutput) {
    // Taller than the rows read at once and damaged near the end: rows have gone to the outputs
    // (or into the blur) when the read fails. A file cut short would do as well, but OpenImageIO
    // 2.4 leaks its message string then, which the sanitizer build reports.
    const GreenScreenSample tall = makeGreenScreenSample(kWidth, 300);
    writeRgb("tall-fg.png", tall.foreground);
    writeRgb("tall-bg.png", tall.background);
    for (const std::string name : {"fg", "bg"}) {
        std::filesystem::copy_file(path("tall-" + name + ".png"), path("bad-" + name + ".png"));
        std::fstream file(path("bad-" + name + ".png"), std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(std::filesystem::file_size(path("bad-" + name + ".png")) * 4 / 5));
        file << std::string(64, '\xff');
    }
    expectRefused({"render", "@bad-fg.png", "--key", "@k.vkp", "--gray", "--out", "@o.png", "--alpha", "--matte", "@m.png"},
                  "cannot read foreground");
    expectRefused({"render", "@tall-fg.png", "--key", "@k.vkp", "--background", "@bad-bg.png", "--blend", "direct", "--out",
                   "@o.png", "--matte", "@m.png"},
                  "cannot read background");
    expectRefused({"render", "@tall-fg.png", "--key", "@k.vkp", "--background", "@bad-bg.png", "--out", "@o.png"},
                  "cannot read background");
}

TEST_F(CliErrors, ABatchWithAMissingFrameWritesNoFrame) {
    writeRgb("shot.1.png", readRgbImage(path("fg.png"), "fg"));
    writeRgb("shot.3.png", readRgbImage(path("fg.png"), "fg"));
    expectRefused({"render", "@shot.%d.png", "--key", "@k.vkp", "--gray", "--frames", "1-3", "--out", "@o.%d.png"},
                  "shot.2.png");
    expectRefused({"render", "@shot.1.png", "--key", "@k.vkp", "--gray", "--frames", "1-3", "--out", "@o.%d.png"},
                  "frame number (%04d) in FOREGROUND");
    expectRefused({"render", "@shot.%d.png", "--key", "@k.vkp", "--gray", "--frames", "1-3", "--out", "@o.png"},
                  "frame number (%04d) in OUT");
}

} // namespace
} // namespace velokrom::cli
