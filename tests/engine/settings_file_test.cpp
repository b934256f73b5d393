#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/settings_file.h"
#include "engine_fixture.h"
#include "platform/replacement_file.h"
#include "system_platform.h"
#include "scratch_folder.h"

namespace velokrom {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;

class SettingsFile : public EngineTest {
protected:
    std::string path(const char* name) const { return scratch.path(name); }
    static std::vector<uint8_t> bytes(const std::string& p) { return ScratchFolder::readBytes(p); }
    static void writeBytes(const std::string& p, const std::vector<uint8_t>& b) { ScratchFolder::writeBytes(p, b); }

    ScratchFolder scratch;
    testing::SystemPlatformServices files;
};

TEST_F(SettingsFile, WrittenFileIsSignatureThenRecordAndReplacesAnOldOne) {
    setUniformKey(9, 9, 9, 9, 9, 9);
    ASSERT_TRUE(writeSettingsFile(files, path("a.vkp")));
    setUniformKey(1, 2, 3, 4, 5, 6);
    ASSERT_TRUE(writeSettingsFile(files, path("a.vkp")));
    const auto b = bytes(path("a.vkp"));
    ASSERT_EQ(b.size(), 1502u);
    EXPECT_EQ(std::memcmp(b.data(), "VelokromData Rev. 1.0\0", 22), 0);
    const KeyModelRecord r = saveLiveKey();
    EXPECT_EQ(std::memcmp(b.data() + 22, r.bytes, 1480), 0);
    EXPECT_EQ(scratch.names().size(), 1u);  // no temporary left
}

TEST_F(SettingsFile, RefusedFilesLeaveTheKeyAlone) {
    setUniformKey(5, 5, 5, 5, 5, 5);
    ASSERT_TRUE(writeSettingsFile(files, path("good.vkp")));
    auto good = bytes(path("good.vkp"));

    auto revision = good;
    revision[20] = '1';  // "Rev. 1.1"
    writeBytes(path("revision.vkp"), revision);
    auto noNul = good;
    noNul[21] = ' ';
    writeBytes(path("nonul.vkp"), noNul);
    writeBytes(path("short.vkp"), std::vector<uint8_t>(good.begin(), good.begin() + 1000));
    auto longer = good;
    longer.insert(longer.end(), 50, 0xEE);
    writeBytes(path("longer.vkp"), longer);

    setUniformKey(7, 7, 7, 7, 7, 7);
    const KeyModelRecord before = saveLiveKey();
    for (const char* name : {"revision.vkp", "nonul.vkp", "short.vkp", "missing.vkp"}) {
        EXPECT_FALSE(engine->readSettingsFile(files, path(name))) << name;
        EXPECT_TRUE(sameKey(saveLiveKey(), before)) << name;  // not one surface read in part
    }
    EXPECT_EQ(engine->history().count(), 0);
    EXPECT_TRUE(engine->readSettingsFile(files, path("longer.vkp")));  // extra bytes ignored
    EXPECT_EQ(std::memcmp(saveLiveKey().bytes, good.data() + 22, sizeof before.bytes), 0);
}

TEST_F(SettingsFile, AFailedSaveKeepsTheOldFile) {
    setUniformKey(1, 1, 1, 1, 1, 1);
    ASSERT_TRUE(writeSettingsFile(files, path("keep.vkp")));
    const auto before = bytes(path("keep.vkp"));
    // The target's name is taken by a folder that cannot be replaced by a file.
    fs::create_directories(scratch.dir() / "taken.vkp" / "inside");
    std::string reason;
    EXPECT_FALSE(writeSettingsFile(files, path("taken.vkp"), &reason));
    EXPECT_EQ(reason, "is a folder");
    EXPECT_TRUE(fs::is_directory(scratch.dir() / "taken.vkp" / "inside"));
    EXPECT_EQ(scratch.names(), (std::set<std::string>{"keep.vkp", "taken.vkp"}));
    // Cannot even create the temporary: a folder that does not exist.
    EXPECT_FALSE(writeSettingsFile(files, path("nowhere/x.vkp")));
    EXPECT_EQ(bytes(path("keep.vkp")), before);
}

TEST_F(SettingsFile, AWriteInProgressSurvivesAnotherWhileLeftoversOfKilledRunsGo) {
    writeBytes(path(".same.vkp.vktmp-7-0"), {1, 2, 3});  // a killed run's
    writeBytes(path(".other.vkp.vktmp-7-0"), {4});       // another target's: not this file's to clear
    ReplacementFile pending(path("same.vkp"));
    ASSERT_NE(pending.stream(), nullptr) << pending.error();
    EXPECT_FALSE(fs::exists(path(".same.vkp.vktmp-7-0")));
    ASSERT_TRUE(pending.write("late", 4));

    setUniformKey(1, 1, 1, 1, 1, 1);
    ASSERT_TRUE(writeSettingsFile(files, path("same.vkp")));
    EXPECT_EQ(bytes(path("same.vkp")).size(), 1502u);
    EXPECT_TRUE(fs::exists(pending.temporaryPath())) << "still being written";
    ASSERT_TRUE(pending.commit()) << pending.error();
    EXPECT_EQ(bytes(path("same.vkp")), (std::vector<uint8_t>{'l', 'a', 't', 'e'}));
    EXPECT_EQ(scratch.names(), (std::set<std::string>{"same.vkp", ".other.vkp.vktmp-7-0"}));
}

TEST(SettingsPaths, ExtensionIsAddedOnlyToANameWithoutADot) {
    const std::pair<std::string, std::string> cases[] = {{"C:\\keys.d\\green", "C:\\keys.d\\green.vkp"},
                                                         {"C:\\keys\\green.key", "C:\\keys\\green.key"},
                                                         {"/home/a.b/take", "/home/a.b/take.vkp"}};
    for (auto [p, want] : cases) {
        EXPECT_TRUE(settingsSavePath(p));
        EXPECT_EQ(p, want);
    }
    std::string p(256, 'x');  // fits the dialog only without the extension
    EXPECT_FALSE(settingsSavePath(p));
}

TEST(SettingsPaths, RememberedNameAndFolderNeverOverflow) {
    SettingsLocation where{};
    EXPECT_TRUE(where.remember("C:\\keys\\green.vkp"));
    EXPECT_STREQ(where.lastSettingsFile, "green.vkp");
    EXPECT_STREQ(where.lastSettingsDir, "C:\\keys");
    EXPECT_TRUE(where.remember("plain.vkp"));
    EXPECT_STREQ(where.lastSettingsDir, "");
    EXPECT_FALSE(where.remember(std::string(300, 'd') + "\\a.vkp"));
    EXPECT_FALSE(where.remember("C:\\" + std::string(256, 'n')));
    EXPECT_STREQ(where.lastSettingsFile, "plain.vkp");  // unchanged by the refusals
}

} // namespace
} // namespace velokrom
