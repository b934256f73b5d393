// Where the background file lives, its format, and what happens with files that do not fit.
#include <cstring>

#include "platform/string_table.h"
#include "plugin_fixture.h"

namespace velokrom::testing {
namespace {

const std::string kFallbackPath = "C:\\Users\\user\\AppData\\Local\\Zelvarn\\VELOKROM.BKG";

class BackgroundStore : public PluginTest {
protected:
    // Saves picture through the start dialog; answers the start's result.
    int16_t save(const HostImage& picture) {
        dialogs.startAnswers = {kSaveAsBackground};
        HostImage image = picture;
        return host.runFilter(image, options, true);
    }
    // A dialog run over the saved background: the background image the run composites over.
    RgbImage backgroundSeen(const HostImage& foreground) {
        dialogs.startAnswers = {kOverSavedBackground};
        const Rect& area = options.hasSelection ? options.selection : Rect{0, 0, 0, 0};
        RgbImage seen = options.hasSelection ? RgbImage(area.right - area.left, area.bottom - area.top)
                                             : RgbImage(foreground.width, foreground.height);
        dialogs.interactive = [&](MainWindow& window) {
            for (int32_t y = 0; y < seen.height; ++y)
                std::memcpy(seen.at(y, 0), window.backgroundRow(y, 0, seen.width), static_cast<size_t>(seen.width) * 3);
            window.endInteractive(false);
        };
        HostImage image = foreground;
        EXPECT_EQ(host.runFilter(image, options, true), 1);
        return seen;
    }
    static RgbImage gray(const HostImage& like) { return RgbImage(like.width, like.height, 127); }
};

TEST_F(BackgroundStore, SavedBackgroundLoadsIntoAPictureOfTheSameSize) {
    const HostImage picture = backgroundPicture(16, 10);
    ASSERT_EQ(save(picture), 1);
    EXPECT_EQ(platform.files.at(kBackgroundPath).size(), 54u + 16 * 10 * 3);
    platform.messages.clear();
    EXPECT_EQ(backgroundSeen(greenScreen(16, 10)).pixels, rgbOf(picture).pixels);
    EXPECT_EQ(dialogs.startPresets.back(), kOverSavedBackground);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(BackgroundStore, FirstFixedDriveHoldsTheFolderAndAnExistingFolderIsReused) {
    platform.drives = {{"A:\\", DriveType::Removable}, {"E:\\", DriveType::Fixed}, {"C:\\", DriveType::Fixed}};
    platform.directories = {"E:", "C:", "E:\\ZELVARN"};
    ASSERT_EQ(save(backgroundPicture(6, 4)), 1);
    EXPECT_EQ(platform.files.count("E:\\ZELVARN\\VELOKROM.BKG"), 1u);
    EXPECT_EQ(platform.files.count(kBackgroundPath), 0u);
}

TEST_F(BackgroundStore, NoFixedDriveOffersSavingAndSavingFails) {
    platform.drives = {{"A:\\", DriveType::Removable}, {"", DriveType::Fixed}, {"C:\\", DriveType::Fixed}};
    const int16_t result = save(backgroundPicture(6, 4));  // the list ends at its empty entry
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dialogs.startPresets, std::vector<StartChoice>{kSaveAsBackground});
    EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{IDS_MSG_SAVE_FAILED_STR});
    EXPECT_TRUE(platform.files.empty());
}

TEST_F(BackgroundStore, RootFolderRefusedMeansTheUsersApplicationDataForSavingAndLoading) {
    platform.deniedDirectories = {"C:\\ZELVARN"};
    const HostImage picture = backgroundPicture(9, 7);
    ASSERT_EQ(save(picture), 1);
    EXPECT_EQ(platform.files.count(kFallbackPath), 1u);
    EXPECT_EQ(backgroundSeen(greenScreen(9, 7)).pixels, rgbOf(picture).pixels);
    // Nowhere to go at all: saving fails with its message.
    platform.deniedDirectories.insert("C:\\Users\\user\\AppData\\Local\\Zelvarn");
    platform.directories.erase("C:\\Users\\user\\AppData\\Local\\Zelvarn");
    platform.messages.clear();
    EXPECT_EQ(save(picture), 1);
    EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{IDS_MSG_SAVE_FAILED_STR});
}

TEST_F(BackgroundStore, FailedSaveKeepsThePreviousBackground) {
    storeBackground(backgroundPicture(12, 8));
    const std::vector<uint8_t> previous = platform.files.at(kBackgroundPath);
    platform.writeBudget = 54 + 12 * 3 * 3;  // the disk fills up in the fourth row
    EXPECT_EQ(save(greenScreen(12, 8)), 1);
    EXPECT_EQ(platform.messageTexts(), (std::vector<std::string>{IDS_ASK_OVERWRITE_STR, IDS_MSG_SAVE_FAILED_STR}));
    EXPECT_EQ(platform.files.at(kBackgroundPath), previous);
    EXPECT_EQ(platform.files.count(kBackgroundPath + ".tmp"), 0u);
    platform.writeBudget = -1;
    platform.failReplace = true;
    EXPECT_EQ(save(greenScreen(12, 8)), 1);
    EXPECT_EQ(platform.files.at(kBackgroundPath), previous);
    EXPECT_EQ(platform.files.count(kBackgroundPath + ".tmp"), 0u);
}

TEST_F(BackgroundStore, BackgroundOfAnotherSizeIsReportedAndGrayIsUsed) {
    storeBackground(backgroundPicture(12, 8));
    const HostImage foreground = greenScreen(12, 9);
    EXPECT_EQ(backgroundSeen(foreground).pixels, gray(foreground).pixels);
    EXPECT_EQ(platform.messageTexts(), (std::vector<std::string>{IDS_MSG_SIZE_MISMATCH_STR, IDS_MSG_LOAD_FAILED_STR}));
}

TEST_F(BackgroundStore, DamagedFilesAreNotLoaded) {
    const HostImage picture = backgroundPicture(12, 8);
    const HostImage foreground = greenScreen(12, 8);
    const std::vector<uint8_t> good = backgroundFile(picture, Rect{0, 0, 8, 12});
    std::vector<std::vector<uint8_t>> damaged(4, good);
    damaged[0][10] ^= 1;  // signature
    damaged[1][42] = 2;   // version
    damaged[2].resize(good.size() - 1);
    damaged[3].resize(30);  // inside the header
    platform.directories.insert("C:\\ZELVARN");
    for (const std::vector<uint8_t>& file : damaged) {
        platform.files[kBackgroundPath] = file;
        platform.messages.clear();
        EXPECT_EQ(backgroundSeen(foreground).pixels, gray(foreground).pixels);
        EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{IDS_MSG_LOAD_FAILED_STR});
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
    const RgbImage stored = rgbOf(picture, Rect{2, 3, 9, 13});
    const HostImage small = greenScreen(10, 7);
    const RgbImage seen = backgroundSeen(small);
    for (int32_t y = 0; y < seen.height; ++y)
        EXPECT_EQ(std::memcmp(seen.at(y, 0), stored.at(1 + y, 2), static_cast<size_t>(seen.width) * 3), 0);
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
