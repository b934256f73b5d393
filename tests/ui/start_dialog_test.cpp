// The start dialog's radio buttons as it opens: the preset checked, and the saved background
// offered only when there is one to use.
#include <gtest/gtest.h>

#include <tuple>

#include "ui/start_dialog.h"

namespace velokrom {
namespace {

auto fieldsOf(const StartDialogButtons& b) {
    return std::make_tuple(b.useSavedChecked, b.useGrayChecked, b.saveChecked, b.useSavedEnabled);
}

TEST(InitialStartDialogButtons, CheckThePresetAndGreyTheSavedBackgroundWithoutOne) {
    const struct {
        bool backgroundFileExists;
        StartDialogButtons expected;
    } cases[] = {
        {false, {false, false, true, false}},  // saving the image preset, nothing saved to use
        {true, {true, false, false, true}},    // over the saved background preset
    };
    for (const auto& c : cases)
        EXPECT_EQ(fieldsOf(initialStartDialogButtons(presetStartChoice(c.backgroundFileExists))), fieldsOf(c.expected))
            << c.backgroundFileExists;
}

} // namespace
} // namespace velokrom
