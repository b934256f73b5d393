// Save Settings and Load Settings over a scripted platform and scripted file dialogs: what the
// dialogs are asked, which file is written, what a refused file leaves behind.
#include <gtest/gtest.h>

#include <tuple>

#include "composite/memory_image_access.h"
#include "engine/settings_file.h"
#include "fake_platform.h"
#include "key_fixture.h"
#include "tools/vkhost/scripted_dialogs.h"
#include "ui/settings_commands.h"

namespace velokrom::testing {
namespace {

const WindowHandle kOwner = reinterpret_cast<WindowHandle>(0x91);
const std::string kFolder = "C:\\Users\\Zo\xC3\xAB\\Schl\xC3\xBCssel";  // "Zoë", "Schlüssel"

class SettingsCommands : public KeyTest {
protected:
    void SetUp() override {
        KeyTest::SetUp();
        settingsLocation() = SettingsLocation{};
        platform.directories.insert({"C:\\Users", "C:\\Users\\Zo\xC3\xAB", kFolder});
        setUniformKey(10000, 20000, 10000, 1000, 2000, 3000);
        engine.processImage(false, true);
    }
    bool save(const std::string& answer) {
        dialogs.fileAnswers = {answer};
        return saveSettingsCommand(platform, dialogs, kOwner);
    }
    bool load(const std::string& answer) {
        dialogs.fileAnswers = {answer};
        return loadSettingsCommand(engine, platform, dialogs, kOwner);
    }

    FakePlatform platform;
    vkhost::ScriptedDialogs dialogs;
    MemoryImageAccess engine{RgbImage(4, 2, 90), RgbImage(4, 2, 30)};
};

// The file's bytes are the settings file's own test; here: the dialogs asked, and the file
// written under the name chosen, with the extension where it has none.
TEST_F(SettingsCommands, SaveWritesTheNameChosenAndTheLoadDialogOffersItNext) {
    dialogs.fileAnswers.clear();
    EXPECT_FALSE(saveSettingsCommand(platform, dialogs, kOwner));
    const FileDialogRequest& first = dialogs.fileRequests.back();
    EXPECT_EQ(std::tie(first.save, first.title, first.defaultExtension, first.initialFolder, first.proposedName,
                       first.nameCapacity),
              std::make_tuple(true, std::string("Save Velokrom Data"), std::string("vkp"), std::string(), std::string(),
                              size_t{260}));
    EXPECT_EQ(first.filter, std::string("Velokrom Data Files (*.vkp)\0*.VKP\0All Files (*.*)\0*.*\0", 54));

    ASSERT_TRUE(save(kFolder + "\\studio"));
    EXPECT_EQ(platform.files[kFolder + "\\studio.vkp"].size(), 1502u);
    EXPECT_EQ(platform.files.size(), 1u) << "no temporary is left";
    EXPECT_GT(platform.waitCursorsShown, 0);
    EXPECT_EQ(platform.waitCursorsRestored, platform.waitCursorsShown);

    EXPECT_FALSE(loadSettingsCommand(engine, platform, dialogs, kOwner));  // cancelled
    const FileDialogRequest& next = dialogs.fileRequests.back();
    EXPECT_EQ(std::tie(next.save, next.title, next.initialFolder, next.proposedName),
              std::make_tuple(false, std::string("Load Velokrom Data"), kFolder, std::string("studio.vkp")));
    EXPECT_EQ(dialogs.owners, std::vector<WindowHandle>(dialogs.fileRequests.size(), kOwner));
    EXPECT_TRUE(platform.messages.empty()) << "a cancelled dialog is not a failure";
}

TEST_F(SettingsCommands, AFailedSaveIsToldAndKeepsTheOldFileAndTheRememberedName) {
    ASSERT_TRUE(save(kFolder + "\\studio.vkp"));
    const std::vector<uint8_t> before = platform.files[kFolder + "\\studio.vkp"];
    setUniformKey(1, 2, 3, 4, 5, 6);
    const std::string tooLong = kFolder + "\\" + std::string(260 - kFolder.size() - 2, 'n');
    for (const std::string& chosen : {kFolder + "\\studio.vkp", kFolder + "\\missing\\x.vkp", tooLong}) {
        platform.messages.clear();
        platform.writeBudget = 100;  // the disk fills up during the write
        EXPECT_FALSE(save(chosen)) << chosen;
        ASSERT_EQ(platform.messages.size(), 1u) << chosen;
        EXPECT_EQ(platform.messages[0].text, "Error on file save.");
        EXPECT_EQ(platform.messages[0].title, "Velokrom");
        EXPECT_EQ(platform.messages[0].owner, nullptr);
    }
    EXPECT_EQ(platform.files[kFolder + "\\studio.vkp"], before);
    EXPECT_EQ(platform.files.size(), 1u);
    EXPECT_STREQ(settingsLocation().lastSettingsFile, "studio.vkp");
}

TEST_F(SettingsCommands, ALoadIsAHistoryStepAndARefusedFileChangesNothing) {
    ASSERT_TRUE(save(kFolder + "\\studio.vkp"));
    const KeyModelRecord saved = saveLiveKey();
    platform.files[kFolder + "\\notes.vkp"] = std::vector<uint8_t>(1502, 'x');
    setUniformKey(1, 2, 3, 4, 5, 6);
    engine.processImage(false, true);
    const KeyModelRecord changed = saveLiveKey();

    for (const char* refused : {"\\notes.vkp", "\\missing.vkp"}) {
        platform.messages.clear();
        EXPECT_FALSE(load(kFolder + refused)) << refused;
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text.rfind("Error on file load.", 0), 0u);
        EXPECT_TRUE(sameKey(saveLiveKey(), changed));
        EXPECT_EQ(engine.history().count(), 2);
    }

    settingsLocation() = SettingsLocation{};
    ASSERT_TRUE(load(kFolder + "\\studio.vkp"));
    EXPECT_TRUE(sameKey(saveLiveKey(), saved));
    EXPECT_EQ(engine.history().count(), 3);
    EXPECT_STREQ(settingsLocation().lastSettingsDir, kFolder.c_str());
    ASSERT_TRUE(engine.undo());
    EXPECT_TRUE(sameKey(saveLiveKey(), changed));
}

} // namespace
} // namespace velokrom::testing
