// The start call's checks in their order, and records the filter must refuse without reading
// past a buffer or writing anything.
#include "host/record_checks.h"
#include "named_cases.h"
#include "platform/string_table.h"
#include "plugin_fixture.h"

namespace velokrom::testing {
namespace {

class StartChecks : public PluginTest {
protected:
    // A block from an earlier run, ready for a repeat.
    void keepValidBlock() { giveSavedState(backingKey(greenScreen(12, 10)), kBackgroundNeutralGray, kBlendDirect, false); }
};

// A start the filter must refuse before it asks for any pixel: how the host's call is spoilt
// (earlier checks win over later ones), and the messages the user is shown.
struct Refusal {
    const char* name;
    void (*spoil)(vkhost::HostOptions&, vkhost::EmulatedHost&, HostImage&);
    std::vector<std::string> messages;
};

void foreignBlock(vkhost::EmulatedHost& host, int version, int revision) {
    std::vector<uint8_t> bytes(kParameterBlockSize, 0);
    ParameterBlock(bytes.data()).initialise();
    bytes[12] = static_cast<uint8_t>(version);
    bytes[16] = static_cast<uint8_t>(revision);
    host.restoreParameters(bytes);
}

void selectArea(vkhost::HostOptions& o, Rect area) {
    o.hasSelection = true;
    o.selection = area;
}

const Refusal kRefusals[] = {
    {"FloatingSelectionBeforeTheMode", [](auto& o, auto&, auto&) { o.floating = true; o.imageMode = 1; },
     {IDS_MSG_FLOATING_STR}},
    {"ForeignVersion", [](auto&, auto& host, auto&) { foreignBlock(host, 101, 1); }, {}},
    {"ForeignRevision", [](auto&, auto& host, auto&) { foreignBlock(host, 100, 2); }, {}},
    {"NoAdvanceStateBeforeTheMode", [](auto& o, auto&, auto&) { o.offerAdvanceState = false; o.imageMode = 4; }, {}},
    {"NonRgbBeforeTheHostsAge", [](auto& o, auto&, auto&) { o.imageMode = 4; o.offerDisplayPixels = false; },
     {IDS_MSG_RGB_ONLY_STR}},
    {"NoDisplayPixelsWithTheDialogDue", [](auto& o, auto&, auto&) { o.offerDisplayPixels = false; },
     {IDS_MSG_HOST_TOO_OLD_STR}},
    {"EmptyRectangle", [](auto& o, auto&, auto&) { selectArea(o, Rect{3, 3, 3, 8}); }, {}},
    {"InvertedRows", [](auto& o, auto&, auto&) { selectArea(o, Rect{5, 2, 4, 9}); }, {}},
    {"InvertedColumns", [](auto& o, auto&, auto&) { selectArea(o, Rect{2, 9, 8, 1}); }, {}},
    {"TwoPlanes", [](auto&, auto&, auto& image) { image = HostImage(12, 10, 2, 9); }, {}},
};

class RefusedStart : public PluginTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedStart, LeavesTheImageAndTheDueDialogAndShowsOnlyItsStopMessage) {
    HostImage image = greenScreen(12, 10);
    GetParam().spoil(options, host, image);
    const HostImage before = image;
    EXPECT_EQ(host.runFilter(image, options, true), 1);
    EXPECT_EQ(image.pixels, before.pixels);
    EXPECT_EQ(platform.messageTexts(), GetParam().messages);
    EXPECT_EQ(platform.beeps, static_cast<int>(GetParam().messages.size()));
    for (const ShownMessage& message : platform.messages) {
        EXPECT_EQ(message.owner, nullptr);
        EXPECT_EQ(message.icon, MessageIcon::Stop);
    }
    EXPECT_EQ(host.advanceCalls(), 0);
    EXPECT_TRUE(dialogs.startPresets.empty());
    EXPECT_TRUE(parameters().startDialogPending());
}

INSTANTIATE_TEST_SUITE_P(StartChecks, RefusedStart, ::testing::ValuesIn(kRefusals), CaseName());

TEST_F(StartChecks, ARepeatWithoutAnyBlockIsRefused) {
    HostImage image = greenScreen(12, 10);
    EXPECT_EQ(host.runFilter(image, options, false), 1);
    EXPECT_EQ(image.pixels, greenScreen(12, 10).pixels);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(host.advanceCalls(), 0);
}

TEST_F(StartChecks, ARepeatNeedsNoDisplayPixels) {
    options.offerDisplayPixels = false;
    keepValidBlock();
    HostImage image = greenScreen(12, 10);
    EXPECT_EQ(host.runFilter(image, options, false), noErr);
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
    const auto tamper = std::vector<std::function<void(FilterRecord&)>>{
        [](FilterRecord& r) { r.inRowBytes -= 1; },
        [](FilterRecord& r) { r.outColumnBytes = 2; },
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
