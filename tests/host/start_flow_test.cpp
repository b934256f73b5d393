// The start dialog's flows and the parameter block after each, through scripted windows.
#include "platform/string_table.h"
#include "plugin_fixture.h"

namespace velokrom::testing {
namespace {

class StartFlow : public PluginTest {};

TEST_F(StartFlow, NoToTheOverwriteQuestionShowsTheDialogAgainAndYesReplacesTheBackground) {
    storeBackground(backgroundPicture(14, 9));
    const std::vector<uint8_t> old = platform.files.at(kBackgroundPath);
    dialogs.startAnswers = {kSaveAsBackground, std::nullopt};
    platform.yesNoAnswers = {MessageAnswer::No};
    HostImage image = greenScreen(14, 9);
    EXPECT_EQ(host.runFilter(image, options, true), 1);
    EXPECT_EQ(dialogs.startPresets, (std::vector<StartChoice>{kOverSavedBackground, kOverSavedBackground}));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, IDS_ASK_OVERWRITE_STR);
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(platform.files.at(kBackgroundPath), old);  // No, then Cancel, keeps the old file
    EXPECT_FALSE(parameters().startDialogPending());

    dialogs.startAnswers = {kSaveAsBackground};  // and Yes
    EXPECT_EQ(host.runFilter(image, options, true), 1);
    EXPECT_EQ(platform.files.at(kBackgroundPath), backgroundFile(greenScreen(14, 9), Rect{0, 0, 9, 14}));
}

TEST_F(StartFlow, CancelOrAWindowClosedWithoutOkLeavesImageAndSavedStateAlone) {
    const HostImage source = greenScreen(16, 12);
    giveSavedState(backingKey(source), kBackgroundSaved, kBlendSolidColor, false, true);
    std::vector<uint8_t> expected = parameterBytes();
    expected[20] = 0;  // only the dialog flag changes
    // Cancel pressed, then no interactive script at all: the window just closes.
    for (const bool pressCancel : {true, false}) {
        dialogs.startAnswers = {kOverNeutralGray};
        if (!pressCancel) dialogs.interactive = nullptr;
        else dialogs.interactive = [](MainWindow& window) { window.endInteractive(false); };
        parameters().setStartDialogPending(true);
        HostImage image = source;
        EXPECT_EQ(host.runFilter(image, options, true), 1);
        EXPECT_EQ(image.pixels, source.pixels);
        EXPECT_EQ(parameterBytes(), expected);
        EXPECT_EQ(dialogs.owners.back(), reinterpret_cast<WindowHandle>(kHostWindow));
    }
    EXPECT_EQ(dialogs.modalHostRuns, 2);
}

// The defocused blend over the saved background (the direct blend over it: PlanesAndAreas).
TEST_F(StartFlow, RepeatWithSavedKeyReproducesTheCommandLineKeyersComposite) {
    const HostImage source = greenScreen(40, 30);
    const HostImage picture = backgroundPicture(40, 30);
    const KeyModelRecord key = backingKey(source);
    storeBackground(picture);
    giveSavedState(key, kBackgroundSaved, kBlendDefocused, false);
    const std::vector<uint8_t> block = parameterBytes();
    HostImage image = source;
    ASSERT_EQ(host.runFilter(image, options, false), noErr);
    EXPECT_EQ(rgbOf(image).pixels, expectedComposite(rgbOf(source), rgbOf(picture), key, kBlendDefocused, false).pixels);
    EXPECT_NE(rgbOf(image).pixels, rgbOf(source).pixels);  // the key did take the backing out
    EXPECT_EQ(parameterBytes(), block);
    EXPECT_TRUE(dialogs.startPresets.empty());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(StartFlow, RepeatOfANeverSavedBlockRendersTheClearedKey) {
    const HostImage source = greenScreen(16, 12);
    std::vector<uint8_t> bytes(kParameterBlockSize, 0);
    ParameterBlock(bytes.data()).initialise();
    host.restoreParameters(bytes);
    HostImage image = source;
    ASSERT_EQ(host.runFilter(image, options, false), noErr);
    clearKeyModel();
    const KeyModelRecord cleared = saveLiveKey();
    // Not saved: the background is the saved file, which is missing, so neutral grey.
    EXPECT_EQ(rgbOf(image).pixels, expectedComposite(rgbOf(source), RgbImage(), cleared, kBlendDefocused, true).pixels);
    EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{IDS_MSG_LOAD_FAILED_STR});
    EXPECT_TRUE(parameters().stateSaved());
}

TEST_F(StartFlow, HostAbortDuringTheRenderPassLeavesTheImageAsItWas) {
    const HostImage source = greenScreen(16, 12);
    giveSavedState(backingKey(source), kBackgroundNeutralGray, kBlendDirect, false);
    const std::vector<uint8_t> before = parameterBytes();
    options.abortAfterProgressCalls = 5;
    HostImage image = source;
    EXPECT_EQ(host.runFilter(image, options, false), 1);
    EXPECT_EQ(image.pixels, source.pixels);
    EXPECT_EQ(parameterBytes(), before);
    EXPECT_EQ(host.progressCalls(), 5);
}

} // namespace
} // namespace velokrom::testing
