// The entry's selectors, the host handles and the parameter block's bytes.
#include <cstring>
#include <tuple>

#include "host/call_context.h"
#include "host/host_handles.h"
#include "platform/string_table.h"
#include "plugin_fixture.h"

namespace velokrom::testing {
namespace {

TEST(HostHandles, FailureOfEitherBlockSetsTheErrorWordAndAHandleIsAControlBlockTaggedOverZeroedData) {
    FakePlatform platform;
    for (const int blocks : {0, 1}) {  // not even the control block; not the data block
        platform.hostBlocksLeft = blocks;
        EXPECT_EQ(newHandle(platform, 16), nullptr);
        EXPECT_EQ(newHandleError(), memFullErr);
    }
    platform.hostBlocksLeft = -1;
    Handle handle = newHandle(platform, kParameterBlockSize);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(newHandleError(), noErr);
    EXPECT_EQ(std::memcmp(reinterpret_cast<char*>(handle) + sizeof(void*), "OTOF", 4), 0);
    const uint8_t* data = handleData(handle);
    EXPECT_EQ(std::count(data, data + kParameterBlockSize, 0), static_cast<long>(kParameterBlockSize));
}

class EntryTest : public PluginTest {};

TEST_F(EntryTest, NoMemoryForTheDataHandleAnswersMemFullAndStopsThere) {
    platform.hostBlocksLeft = 0;
    HostImage image = greenScreen(8, 6);
    EXPECT_EQ(host.runFilter(image, options, true), memFullErr);
    EXPECT_EQ(host.dataWord(), 0);
    EXPECT_EQ(host.parameters(), nullptr);
}

// The first call makes the data handle, which keeps the call context; the parameters selector
// makes the block and arms the start dialog.
TEST_F(EntryTest, FirstRunMakesTheDataHandleAndTheBlockAndArmsTheStartDialog) {
    HostImage image = greenScreen(8, 6);
    dialogs.startAnswers.push_back(std::nullopt);  // Cancel
    host.runFilter(image, options, true);
    ASSERT_NE(host.dataWord(), 0);
    CallContext context;
    std::memcpy(&context, handleData(reinterpret_cast<Handle>(host.dataWord())), sizeof context);
    EXPECT_EQ(context.result, host.calls().back().result);
    EXPECT_EQ(context.record, &host.record());
    const std::vector<uint8_t> bytes = parameterBytes();
    ASSERT_EQ(bytes.size(), kParameterBlockSize);
    EXPECT_EQ(std::memcmp(bytes.data(), "VelokromPS\0\0", 12), 0);
    EXPECT_EQ(bytes[12], 100);
    EXPECT_EQ(bytes[16], 1);
    EXPECT_EQ(host.calls()[0].selector, filterSelectorParameters);
    EXPECT_EQ(host.calls()[0].result, noErr);
    EXPECT_FALSE(parameters().stateSaved());
    // The start call that followed handled the dialog (cancelled): the flag is down again.
    EXPECT_FALSE(parameters().startDialogPending());
}

// Once a block exists, a parameters call only rearms the start dialog; prepare, continue and
// finish ask for nothing; selectors the entry does not know answer so and touch nothing.
TEST_F(EntryTest, LaterSelectorsKeepTheSavedStateAndUnknownOnesAnswerBadParameters) {
    giveSavedState(backingKey(greenScreen(8, 6)), kBackgroundNeutralGray, kBlendSolidColor, true);
    std::vector<uint8_t> expected = parameterBytes();
    EXPECT_EQ(host.callSelector(6), filterBadParameters);
    EXPECT_EQ(host.callSelector(-1), filterBadParameters);
    EXPECT_EQ(parameterBytes(), expected);
    EXPECT_EQ(host.callSelector(filterSelectorParameters), noErr);
    expected[20] = 1;
    EXPECT_EQ(parameterBytes(), expected);

    host.record().bufferSpace = 4096;
    EXPECT_EQ(host.callSelector(filterSelectorPrepare), noErr);
    EXPECT_EQ(host.record().bufferSpace, 0);
    host.record().inRect = Rect{0, 0, 5, 5};
    host.record().outRect = Rect{1, 1, 4, 4};
    EXPECT_EQ(host.callSelector(filterSelectorContinue), noErr);
    EXPECT_EQ(host.record().inRect.bottom | host.record().inRect.right | host.record().outRect.top, 0);
    EXPECT_EQ(host.callSelector(filterSelectorFinish), noErr);
}

TEST_F(EntryTest, AboutShowsTheCreditsOwnedByTheAboutRecordsWindow) {
    EXPECT_EQ(host.about(0x99), noErr);
    ASSERT_EQ(platform.messages.size(), 1u);
    const ShownMessage& box = platform.messages[0];
    EXPECT_EQ(std::tie(box.owner, box.icon, box.buttons, box.title, box.text),
              std::make_tuple(reinterpret_cast<WindowHandle>(0x99), MessageIcon::Information, MessageButtons::Ok,
                              std::string("Velokrom"), std::string(IDS_ABOUT_TEXT_STR)));
    EXPECT_LE(box.text.size(), 255u);
}

} // namespace
} // namespace velokrom::testing
