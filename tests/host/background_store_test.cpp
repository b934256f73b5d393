// Where the background file lives, its format, and what happens with files that do not fit.
#include <cstring>

#include "named_cases.h"
#include "platform/string_table.h"
#include "plugin_fixture.h"

namespace velokrom::testing {
namespace {

class BackgroundStore : public PluginTest {
protected:
    // Saves picture through the start dialog, which leaves the picture as it was; answers the
    // start's result.
    int16_t save(const HostImage& picture) {
        dialogs.startAnswers = {kSaveAsBackground};
        HostImage image = picture;
        const int16_t result = host.runFilter(image, options, true);
        EXPECT_EQ(image.pixels, picture.pixels);
        return result;
    }
    // A dialog run over the saved background: the background image the run composites over.
    RgbImage backgroundSeen(const HostImage& foreground) {
        const Rect area = options.hasSelection ? options.selection : wholeOf(foreground);
        RgbImage seen(area.right - area.left, area.bottom - area.top);
        HostImage image = foreground;
        const auto copy = [&](FilterPlugin& window) {
            for (int32_t y = 0; y < seen.height; ++y)
                std::memcpy(seen.at(y, 0), window.backgroundRow(y, 0, seen.width), static_cast<size_t>(seen.width) * 3);
        };
        EXPECT_EQ(interact(image, copy, kOverSavedBackground), 1);
        return seen;
    }
    static RgbImage gray(const HostImage& like) { return RgbImage(like.width, like.height, 127); }
};

// Where the first save puts the background file for an arrangement of drives and folders
// (nowhere: saving fails with its message), and that the file loads back from there.
struct SaveLocation {
    const char* name;
    void (*arrange)(FakePlatform&);
    const char* path;
};

const SaveLocation kSaveLocations[] = {
    {"RootFolderOfTheFixedDrive", [](FakePlatform&) {}, "C:\\ZELVARN\\VELOKROM.BKG"},
    {"FirstFixedDriveAndItsExistingFolder",
     [](FakePlatform& p) {
         p.drives = {{"A:\\", DriveType::Removable}, {"E:\\", DriveType::Fixed}, {"C:\\", DriveType::Fixed}};
         p.directories = {"E:", "C:", "E:\\ZELVARN"};
     },
     "E:\\ZELVARN\\VELOKROM.BKG"},
    {"UsersApplicationDataWhenTheRootFolderIsRefused", [](FakePlatform& p) { p.deniedDirectories = {"C:\\ZELVARN"}; },
     "C:\\Users\\user\\AppData\\Local\\Zelvarn\\VELOKROM.BKG"},
    {"NowhereWhenBothFoldersAreRefused",
     [](FakePlatform& p) { p.deniedDirectories = {"C:\\ZELVARN", "C:\\Users\\user\\AppData\\Local\\Zelvarn"}; }, nullptr},
    {"NowhereWithoutAFixedDriveBeforeTheListsEnd",
     [](FakePlatform& p) { p.drives = {{"A:\\", DriveType::Removable}, {"", DriveType::Fixed}, {"C:\\", DriveType::Fixed}}; },
     nullptr},
};

class BackgroundLocation : public BackgroundStore, public ::testing::WithParamInterface<SaveLocation> {};

TEST_P(BackgroundLocation, SavedBackgroundLoadsIntoAPictureOfTheSameSize) {
    GetParam().arrange(platform);
    const HostImage picture = backgroundPicture(9, 7);
    ASSERT_EQ(save(picture), 1);
    EXPECT_EQ(dialogs.startPresets, std::vector<StartChoice>{kSaveAsBackground});  // nothing saved before
    if (!GetParam().path) {
        EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{IDS_MSG_SAVE_FAILED_STR});
        EXPECT_TRUE(platform.files.empty());
        return;
    }
    EXPECT_EQ(platform.files.size(), 1u);
    EXPECT_EQ(platform.files.at(GetParam().path), backgroundFile(picture, wholeOf(picture)));
    ASSERT_EQ(platform.messageTexts(), std::vector<std::string>{IDS_BACKGROUND_SAVED_STR});
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(platform.messages[0].owner, reinterpret_cast<WindowHandle>(kHostWindow));
    EXPECT_FALSE(parameters().startDialogPending());
    EXPECT_FALSE(parameters().stateSaved());
    platform.messages.clear();
    EXPECT_EQ(backgroundSeen(greenScreen(9, 7)).pixels, rgbOf(picture).pixels);
    EXPECT_EQ(dialogs.startPresets.back(), kOverSavedBackground);
    EXPECT_TRUE(platform.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(BackgroundStore, BackgroundLocation, ::testing::ValuesIn(kSaveLocations), CaseName());

TEST_F(BackgroundStore, FailedSaveKeepsThePreviousBackground) {
    storeBackground(backgroundPicture(12, 8));
    const std::vector<uint8_t> previous = platform.files.at(kBackgroundPath);
    for (const bool diskFills : {true, false}) {  // in the fourth row; or the replacement fails
        platform.writeBudget = diskFills ? 54 + 12 * 3 * 3 : -1;
        platform.failReplace = !diskFills;
        platform.messages.clear();
        EXPECT_EQ(save(greenScreen(12, 8)), 1);
        EXPECT_EQ(platform.messageTexts(), (std::vector<std::string>{IDS_ASK_OVERWRITE_STR, IDS_MSG_SAVE_FAILED_STR}));
        EXPECT_EQ(platform.files.at(kBackgroundPath), previous);
        EXPECT_EQ(platform.files.size(), 1u);
    }
}

TEST_F(BackgroundStore, DamagedFilesAndFilesOfAnotherSizeAreReportedAndGrayIsUsed) {
    const HostImage foreground = greenScreen(12, 8);
    const std::vector<uint8_t> good = backgroundFile(backgroundPicture(12, 8), wholeOf(foreground));
    std::vector<std::pair<std::vector<uint8_t>, std::vector<std::string>>> files(4, {good, {IDS_MSG_LOAD_FAILED_STR}});
    files[0].first[10] ^= 1;  // signature
    files[1].first[42] = 2;   // version
    files[2].first.resize(good.size() - 1);
    files[3].first.resize(30);  // inside the header
    files.push_back({backgroundFile(backgroundPicture(12, 9), Rect{0, 0, 9, 12}),  // one row more
                     {IDS_MSG_SIZE_MISMATCH_STR, IDS_MSG_LOAD_FAILED_STR}});
    platform.directories.insert(kBackgroundFolder);
    for (const auto& [file, messages] : files) {
        platform.files[kBackgroundPath] = file;
        platform.messages.clear();
        EXPECT_EQ(backgroundSeen(foreground).pixels, gray(foreground).pixels);
        EXPECT_EQ(platform.messageTexts(), messages);
    }
}

TEST_F(BackgroundStore, SelectionStoresItsRectangleWhichLoadsOnlyIntoAPictureOfThatSize) {
    const HostImage picture = backgroundPicture(20, 14);
    options.hasSelection = true;
    options.selection = Rect{2, 3, 9, 13};
    ASSERT_EQ(save(picture), 1);
    EXPECT_EQ(platform.files.at(kBackgroundPath), backgroundFile(picture, options.selection));
    // A picture of the selection's size takes it whole; under a selection there, only its part.
    options.selection = Rect{1, 2, 5, 8};
    EXPECT_EQ(backgroundSeen(greenScreen(10, 7)).pixels, rgbOf(picture, Rect{2 + 1, 3 + 2, 2 + 5, 3 + 8}).pixels);
    // The original picture's size no longer matches.
    options.hasSelection = false;
    platform.messages.clear();
    EXPECT_EQ(backgroundSeen(greenScreen(20, 14)).pixels, gray(picture).pixels);
    EXPECT_EQ(platform.messageTexts().front(), IDS_MSG_SIZE_MISMATCH_STR);
}

TEST_F(BackgroundStore, FilterRectangleOutsideTheStoredImageIsNotReadPast) {
    storeBackground(backgroundPicture(10, 8));
    // The host claims a whole image of the file's size, with a selection reaching past it.
    options.adjustRecord = [](FilterRecord& r) { r.imageSize = Point{8, 10}; };
    options.hasSelection = true;
    options.selection = Rect{2, 6, 8, 12};
    const RgbImage seen = backgroundSeen(greenScreen(12, 8));
    EXPECT_EQ(seen.pixels, RgbImage(6, 6, 127).pixels);
    EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{IDS_MSG_LOAD_FAILED_STR});
}

} // namespace
} // namespace velokrom::testing
