// The start call's checks in their order, and records the filter must refuse without reading
// past a buffer or writing anything.
#include "host/record_checks.h"
#include "platform/string_table.h"
#include "plugin_fixture.h"

namespace velokrom::testing {
namespace {

class StartChecks : public PluginTest {
protected:
    // Runs a dialog invocation and answers the start's result; the image must stay unchanged.
    int16_t runRefused(HostImage image) {
        const HostImage before = image;
        const int16_t result = host.runFilter(image, options, true);
        EXPECT_EQ(image.pixels, before.pixels);
        return result;
    }
    void keepValidBlock() { giveSavedState(backingKey(greenScreen(12, 10)), 1, kBlendDirect, false, true); }
};

TEST_F(StartChecks, FloatingSelectionIsRefusedFirstWithItsMessageBeforeAnythingIsRequested) {
    options.floating = true;
    options.imageMode = 1;  // not RGB either: the floating selection is reported, nothing else
    EXPECT_EQ(runRefused(greenScreen(12, 10)), 1);
    EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{IDS_MSG_FLOATING_STR});
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(platform.messages[0].owner, nullptr);
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(host.advanceCalls(), 0);
    EXPECT_TRUE(parameters().startDialogPending());  // stopped before the dialog
}

TEST_F(StartChecks, MissingOrForeignParameterBlockIsRefusedSilently) {
    HostImage image = greenScreen(12, 10);
    EXPECT_EQ(host.runFilter(image, options, false), 1);  // a repeat without any block
    std::vector<uint8_t> foreign(kParameterBlockSize, 0);
    ParameterBlock(foreign.data()).initialise();
    foreign[12] = 101;  // version
    host.restoreParameters(foreign);
    EXPECT_EQ(runRefused(greenScreen(12, 10)), 1);
    foreign[12] = 100;
    foreign[16] = 2;  // revision
    host.restoreParameters(foreign);
    EXPECT_EQ(runRefused(greenScreen(12, 10)), 1);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(host.advanceCalls(), 0);
}

TEST_F(StartChecks, HostWithoutAdvanceStateIsRefusedSilentlyBeforeTheModeCheck) {
    options.offerAdvanceState = false;
    options.imageMode = 4;
    EXPECT_EQ(runRefused(greenScreen(12, 10)), 1);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(StartChecks, NonRgbImageShowsItsMessageAndKeepsTheDialogDue) {
    options.imageMode = 4;
    options.offerDisplayPixels = false;  // checked later: not reported
    EXPECT_EQ(runRefused(greenScreen(12, 10)), 1);
    EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{IDS_MSG_RGB_ONLY_STR});
    EXPECT_TRUE(parameters().startDialogPending());
    EXPECT_TRUE(dialogs.startPresets.empty());
}

TEST_F(StartChecks, DisplayPixelsIsNeededOnlyWhenTheDialogIsDue) {
    options.offerDisplayPixels = false;
    EXPECT_EQ(runRefused(greenScreen(12, 10)), 1);
    EXPECT_EQ(platform.messageTexts(), std::vector<std::string>{IDS_MSG_HOST_TOO_OLD_STR});
    EXPECT_TRUE(dialogs.startPresets.empty());
    // A repeat shows no window and renders.
    keepValidBlock();
    parameters().setStartDialogPending(false);
    HostImage image = greenScreen(12, 10);
    EXPECT_EQ(host.runFilter(image, options, false), noErr);
}

TEST_F(StartChecks, EmptyOrInvertedFilterRectangleAndTooFewPlanesAreRefusedSilently) {
    options.hasSelection = true;
    for (const Rect& area : {Rect{3, 3, 3, 8}, Rect{5, 2, 4, 9}, Rect{2, 9, 8, 1}}) {
        options.selection = area;
        EXPECT_EQ(runRefused(greenScreen(12, 10)), 1);
    }
    options.hasSelection = false;
    HostImage twoPlanes(12, 10, 2, 9);
    EXPECT_EQ(runRefused(twoPlanes), 1);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(host.advanceCalls(), 0);
    EXPECT_TRUE(dialogs.startPresets.empty());
}

TEST(RecordShape, ImageTooLargeToHoldAsksForMemoryOnlyWhereItCannotBeAddressed) {
    FilterRecord record{};
    record.planes = 3;
    record.filterRect = Rect{0, 0, 32767, 32767};
    const bool fits = 32767ull * 32767ull * 3ull <= static_cast<unsigned long long>(PTRDIFF_MAX);
    EXPECT_EQ(checkRecordShape(record), fits ? RecordShape::Usable : RecordShape::TooLarge);
    record.filterRect = Rect{-5, 0, 10, 10};  // a rectangle off the image's origin is still a size
    EXPECT_EQ(checkRecordShape(record), RecordShape::Usable);
}

TEST(DeliveredBuffer, StridesThatCannotHoldTheRectangleAreRefused) {
    uint8_t data[64] = {};
    PlaneBuffer buffer;
    EXPECT_TRUE(describeDeliveredBuffer(data, 12, 3, 3, 4, 2, 3, buffer));
    EXPECT_EQ(buffer.columnBytes, 3);
    EXPECT_TRUE(describeDeliveredBuffer(data, 12, 0, 3, 4, 2, 3, buffer));  // 0: as many as the planes
    EXPECT_EQ(buffer.columnBytes, 3);
    EXPECT_TRUE(describeDeliveredBuffer(data, 16, 4, 4, 4, 2, 4, buffer));   // the last pixel ends at 16
    EXPECT_FALSE(describeDeliveredBuffer(data, 15, 4, 4, 4, 2, 4, buffer));
    EXPECT_FALSE(describeDeliveredBuffer(data, 11, 3, 3, 4, 2, 3, buffer));  // row too short
    EXPECT_FALSE(describeDeliveredBuffer(data, 12, 2, 3, 4, 2, 3, buffer));  // column too narrow
    EXPECT_FALSE(describeDeliveredBuffer(data, 12, 3, 3, 4, 2, 4, buffer));  // no fourth byte
    EXPECT_FALSE(describeDeliveredBuffer(data, -12, 3, 3, 4, 2, 3, buffer));
    EXPECT_FALSE(describeDeliveredBuffer(nullptr, 12, 3, 3, 4, 2, 3, buffer));
    // An extent past what the build can address (only a 32-bit build is that small).
    EXPECT_EQ(describeDeliveredBuffer(data, 0x7FFFFFFF, 3, 3, 4, 0x7FFFFFFF, 3, buffer), sizeof(void*) == 8);
}

TEST_F(StartChecks, HostBuffersWithStridesTooSmallEndTheCallWithoutWriting) {
    keepValidBlock();
    parameters().setStartDialogPending(false);
    const auto tamper = std::vector<std::function<void(FilterRecord&)>>{
        [](FilterRecord& r) { r.inRowBytes -= 1; },
        [](FilterRecord& r) { r.outColumnBytes = 2; },
        [](FilterRecord& r) { r.outData = nullptr; },
        [](FilterRecord& r) { r.inRowBytes = -r.inRowBytes; },
    };
    for (const auto& change : tamper) {
        options.afterAdvance = change;
        HostImage image = greenScreen(12, 10);
        const HostImage before = image;
        EXPECT_EQ(host.runFilter(image, options, false), 1);
        EXPECT_EQ(image.pixels, before.pixels);
    }
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(parameters().stateSaved(), true);  // as given; the refused runs stored nothing new
}

} // namespace
} // namespace velokrom::testing
