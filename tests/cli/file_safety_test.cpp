// A careless or hostile command line never destroys a file the user did not name as an output,
// and an output is replaced whole or not at all.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "cli_fixture.h"

namespace velokrom::cli {
namespace {

namespace fs = std::filesystem;

using FileSafety = CliTest;

TEST_F(FileSafety, AnOutputThatIsAnInputIsRefusedHoweverItIsSpelled) {
    fs::create_hard_link(path("bg.png"), path("bg-link.png"));
    fs::create_symlink(path("fg.png"), path("fg-symlink.png"));
    expectRefused({"key", "@fg.png", "--auto", "1,1", "--save", "@fg.png"}, "would overwrite the foreground");
    expectRefused({"key", "@fg.png", "--background", "@bg.png", "--auto", "1,1", "--save", "@bg-link.png"},
                  "would overwrite the background");
    expectRefused({"key", "@fg.png", "--load", "@k.vkp", "--auto", "1,1", "--save", "@k.vkp"}, "would overwrite the key");
    expectRefused({"render", "@fg.png", "--key", "@k.vkp", "--gray", "--out", "@fg-symlink.png"},
                  "would overwrite the foreground");
}

// Outputs that do not exist yet, named relative to the current folder as a user types them.
TEST_F(FileSafety, OutputsNotYetWrittenAreComparedAsTheFilesTheyWillBe) {
    fs::copy_file(path("fg.png"), path("g0.png"));
    const fs::path home = fs::current_path();
    fs::current_path(scratch_.dir());
    const struct {
        const char* out;
        const char* matte;
    } cases[] = {{"o.png", "./o.png"}, {"./o.png", "o.png"}, {"o.png", "missing/../o.png"}, {"o.png", "@o.png"}};
    for (const auto& c : cases)
        expectRefused({"render", "fg.png", "--key", "k.vkp", "--gray", "--out", c.out, "--matte", c.matte},
                      "are the same file");
    expectRefused({"render", "g%d.png", "--key", "k.vkp", "--gray", "--out", "x%d.png", "--matte", "./x%d.png",
                   "--frames", "0-0"},
                  "are the same file");
    fs::current_path(home);
}

TEST_F(FileSafety, EveryFrameOfARangeIsCheckedBeforeTheFirstIsWritten) {
    for (int frame = 0; frame <= 10; ++frame) fs::copy_file(path("fg.png"), path("g" + std::to_string(frame) + ".png"));
    // Frame 0's composite would be g10.png, frame 10's foreground.
    expectRefused({"render", "@g%d.png", "--key", "@k.vkp", "--gray", "--out", "@g1%d.png", "--frames", "0-10"},
                  "would overwrite the foreground");
    // The two patterns spell the same names.
    expectRefused({"render", "@g%d.png", "--key", "@k.vkp", "--gray", "--out", "@x%d.png", "--matte", "@x%01d.png",
                   "--frames", "0-10"},
                  "are the same file");
    // Frame 1's matte is frame 11's composite... only when the range reaches it.
    expectRefused({"render", "@g%d.png", "--key", "@k.vkp", "--gray", "--out", "@y%d.png", "--matte", "@y1%d.png",
                   "--frames", "0-10"},
                  "are the same file");
}

TEST_F(FileSafety, FoldersAndDevicesAreNoFiles) {
    fs::create_directory(path("folder.png"));
    expectRefused({"render", "@fg.png", "--key", "@k.vkp", "--gray", "--out", "@folder.png"}, "'" + path("folder.png") + "': it is a folder");
    expectRefused({"render", "@folder.png", "--key", "@k.vkp", "--gray", "--out", "@o.png"}, "it is a folder");
    expectRefused({"key", "@fg.png", "--auto", "1,1", "--save", "/dev/null"}, "'/dev/null': it is not a regular file");
    expectRefused({"info", "/dev/zero"}, "it is not a regular file");
    // A file where a folder should be: the message names the user's file and the reason.
    std::ofstream(path("plain")) << "x";
    expectRefused({"render", "@fg.png", "--key", "@k.vkp", "--gray", "--out", "@plain/o.png"},
                  "cannot write '" + path("plain/o.png") + "': not a directory");
    expectRefused({"render", "@fg.png", "--key", "@k.vkp", "--gray", "--out", scratch_.dir().string() + "/"},
                  "it is a folder");
    const CliResult r = expectRefused({"key", "@fg.png", "--auto", "1,1", "--save", "@plain/k.vkp"},
                                      "cannot write key '" + path("plain/k.vkp") + "': not a directory");
    EXPECT_EQ(r.err.find("vktmp"), std::string::npos) << "no temporary name: " << r.err;
}

// Names the system refuses to look up: refused in one line, not thrown out of the command.
TEST_F(FileSafety, NamesThatCannotBeLookedUpAreRefused) {
    fs::create_symlink(path("loop-a"), path("loop-b"));
    fs::create_symlink(path("loop-b"), path("loop-a"));
    const std::string tooLong = "@" + std::string(300, 'n') + ".png";
    const struct {
        std::vector<std::string> words;
        const char* fragment;
    } cases[] = {
        {{"key", tooLong, "--auto", "1,1", "--save", "@new.vkp"}, "file name too long"},
        {{"key", "@fg.png", "--load", tooLong, "--auto", "1,1", "--save", "@new.vkp"}, "file name too long"},
        {{"key", "@loop-a", "--auto", "1,1", "--save", "@new.vkp"}, "too many levels of symbolic links"},
        {{"render", "@fg.png", "--key", "@loop-a", "--gray", "--out", "@o.png"}, "too many levels of symbolic links"},
        {{"render", "@fg.png", "--key", "@k.vkp", "--background", "@loop-b", "--out", "@o.png"},
         "cannot read background"},
        {{"info", "@loop-a"}, "too many levels of symbolic links"},
    };
    for (const auto& c : cases) expectRefused(c.words, c.fragment);
}

TEST_F(FileSafety, ControlCharactersInNamesArePrintedEscaped) {
    const CliResult r = run({"render", "@fg.png", "--key", "@k.vkp", "--gray", "--out", "@o\x1b[2J\n.png"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("o\\x1b[2J\\x0a.png"), std::string::npos) << r.out;
    expectError(run({"info", "@none\r.vkp"}), "none\\x0d.vkp': no such file");
}

TEST_F(FileSafety, ARefusedCommandPrintsOnlyItsErrorAndNotesFollowSuccess) {
    // The first drag is cut to 1000 pixels (a note), the second lies off the image (the error).
    expectRefused({"key", "@fg.png", "--auto", "0,0:63,40", "--select-background", "70,0", "--save", "@new.vkp"},
                  "point 70,0 lies outside");
    const CliResult r = run({"key", "@fg.png", "--auto", "0,0:63,40", "--save", "@new.vkp"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("keeps its first 1000 of 2624"), std::string::npos) << r.err;
    EXPECT_EQ(run({"key", "@fg.png", "--auto", "0,0:9,9", "--save", "@new.vkp"}).err, "");  // 100 pixels: no note
}

TEST_F(FileSafety, ReplacedOutputsKeepTheirPermissionsAndNeverFollowPlantedLinks) {
    ASSERT_EQ(run({"render", "@fg.png", "--key", "@k.vkp", "--gray", "--out", "@o.png"}).status, 0);
    ::chmod(path("o.png").c_str(), 0640);
    ::chmod(path("k.vkp").c_str(), 0600);
    // Links planted under the names this process's first temporaries get.
    std::ofstream(path("victim")) << "precious";
    const std::string pid = std::to_string(::getpid());
    fs::create_symlink(path("victim"), path(".o.png.vktmp-" + pid + "-0"));
    fs::create_symlink(path("victim"), path(".k.vkp.vktmp-" + pid + "-0"));
    ASSERT_EQ(run({"render", "@fg.png", "--key", "@k.vkp", "--gray", "--out", "@o.png", "--blend", "direct"}).status, 0);
    ASSERT_EQ(run({"key", "@fg.png", "--auto", "2,2", "--save", "@k.vkp"}).status, 0);
    EXPECT_EQ(contents().at("victim"), "precious");
    EXPECT_EQ(fs::status(path("o.png")).permissions(), fs::perms(0640));
    EXPECT_EQ(fs::status(path("k.vkp")).permissions(), fs::perms(0600));
}

} // namespace
} // namespace velokrom::cli
