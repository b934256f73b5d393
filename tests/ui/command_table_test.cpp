// The command table, the menu, the toolbar and the texts as one consistent whole: every command
// reachable from the menu once, every command with its own help line, every button with its
// tooltip (the states the rules give at the start of a run are checked in a whole run of the
// main window, tests/host/main_window_test.cpp).
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "scripted_window.h"
#include "ui/command_states.h"
#include "ui/main_menu.h"
#include "ui/status_text.h"
#include "ui/ui_strings.h"

namespace velokrom {
namespace {

TEST(CommandTable, EveryCommandIsInTheMenuOnceInPopupsThatCloseAndNoOtherIdIsOurs) {
    size_t count = 0;
    const MenuEntry* entries = mainMenuEntries(count);
    std::multiset<int32_t> ids;
    int depth = 0;
    for (size_t i = 0; i < count; ++i) {
        switch (entries[i].kind) {
        case MenuEntryKind::Popup: ++depth; break;
        case MenuEntryKind::PopupEnd: --depth; break;
        case MenuEntryKind::Item:
            EXPECT_EQ(depth, 1) << "an item outside a popup: entry " << i;
            ids.insert(entries[i].commandId);
            break;
        case MenuEntryKind::Separator: break;
        }
        ASSERT_TRUE(depth == 0 || depth == 1) << "popups close and do not nest: entry " << i;
    }
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(ids.size(), static_cast<size_t>(IDM_LAST - IDM_FIRST + 1));
    for (int32_t id = IDM_FIRST - 1; id <= IDM_LAST + 1; ++id) {
        const bool ours = id >= IDM_FIRST && id <= IDM_LAST;
        EXPECT_EQ(ids.count(id), ours ? 1u : 0u) << id;
        EXPECT_EQ(commandFor(id).action != CommandAction::Unhandled, ours) << id;
    }
    // The arguments the main window takes for its run choices.
    EXPECT_EQ(commandFor(IDM_OK).argument, 1);
    EXPECT_EQ(commandFor(IDM_CANCEL).argument, 0);
    EXPECT_EQ(commandFor(IDM_BLEND_SOLID).argument, kBlendSolidColor);
    EXPECT_EQ(commandFor(IDM_VIEW_BACK).argument, kViewBack);
}

TEST(CommandTable, EveryCommandShowsAHelpLineOfItsOwnAndEveryStringHasItsOwnId) {
    std::set<std::string> lines;
    for (int32_t id = IDM_FIRST; id <= IDM_LAST; ++id) {
        const char* line = uiString(statusStringId(id, true, false, kAutoSetup));
        ASSERT_NE(line, nullptr) << id;
        EXPECT_TRUE(lines.insert(line).second) << id << " shares its line: " << line;
    }
    EXPECT_STREQ(uiString(IDM_BLEND_DIRECT + IDS_HELP_OFFSET), "Use normal background as reference for color tuning");
    size_t count = 0;
    const UiString* strings = uiStrings(count);
    std::set<int32_t> ids;
    for (size_t i = 0; i < count; ++i) EXPECT_TRUE(ids.insert(strings[i].id).second) << strings[i].id;
}

// Each button has an image of its own, each bitmap's images are used without gaps (so that its
// strip is exactly that wide), and exactly the commands with a button have a tooltip.
TEST(CommandTable, ButtonsHaveDistinctImagesAndTheyAloneHaveTooltips) {
    size_t count = 0;
    const ToolbarSlot* slots = toolbarSlots(count);
    std::set<int32_t> buttons;
    std::set<std::pair<int32_t, int32_t>> images;
    std::map<int32_t, int32_t> imagesPerBitmap;
    for (size_t i = 0; i < count; ++i) {
        if (slots[i].style == ButtonStyle::Separator) continue;
        EXPECT_TRUE(buttons.insert(slots[i].commandId).second) << slots[i].commandId;
        EXPECT_TRUE(images.insert({slots[i].bitmapId, slots[i].image}).second) << slots[i].commandId;
        imagesPerBitmap[slots[i].bitmapId] = std::max(imagesPerBitmap[slots[i].bitmapId], slots[i].image + 1);
    }
    size_t stripsWidth = 0;  // no image is used twice, so no gaps means as many images as the strips hold
    for (const auto& strip : imagesPerBitmap) stripsWidth += static_cast<size_t>(strip.second);
    EXPECT_EQ(images.size(), stripsWidth);
    for (int32_t id = IDM_FIRST; id <= IDM_LAST; ++id) {
        const bool hasButton = buttons.count(id) != 0;
        EXPECT_EQ(tooltipStringId(id) != 0, hasButton) << id;
        EXPECT_EQ(uiString(id) != nullptr, hasButton) << id;
    }
}

TEST(CommandStates, AGreyedAlphaCommandKeepsItsCheckAndAnEnabledOneShowsTheFlag) {
    testing::ScriptedCommandStates sink;
    updateMatteToAlphaCommand(sink, true, true);
    EXPECT_TRUE(sink.states[IDM_MATTE_TO_ALPHA].menuChecked);
    updateMatteToAlphaCommand(sink, false, false);
    EXPECT_FALSE(sink.states[IDM_MATTE_TO_ALPHA].menuEnabled);
    EXPECT_TRUE(sink.states[IDM_MATTE_TO_ALPHA].menuChecked);
    updateMatteToAlphaCommand(sink, true, false);
    EXPECT_FALSE(sink.states[IDM_MATTE_TO_ALPHA].menuChecked);
}

TEST(StatusText, IdleHintFollowsZoomModeThenTheOperation) {
    EXPECT_STREQ(uiString(idleHintId(false, kAutoSetup)), "Click and drag to select chromakey pixels in foreground image");
    EXPECT_STREQ(uiString(idleHintId(false, kTuneColors)), "Click and drag to select pixels for color tuning");
    EXPECT_STREQ(uiString(idleHintId(true, kTuneColors)), "Click on image to zoom in;  Alt-click to zoom out");
    EXPECT_EQ(uiString(idleHintId(false, static_cast<KeyOperation>(7))), nullptr);  // an unknown operation leaves the text as it was
}

TEST(StatusText, MenuHoverShowsAPlainItemsLineAndOtherwiseTheIdleHint) {
    const int32_t help = IDM_RESET + IDS_HELP_OFFSET;
    const int32_t idle = idleHintId(false, kSelectBackground);
    EXPECT_EQ(menuHoverStringId({true, false, false, IDM_RESET}, false, kSelectBackground), help);
    EXPECT_EQ(menuHoverStringId({true, true, false, IDM_RESET}, false, kSelectBackground), idle);   // a popup title
    EXPECT_EQ(menuHoverStringId({true, false, true, IDM_RESET}, false, kSelectBackground), idle);   // the menu closes
    EXPECT_EQ(menuHoverStringId({false, false, false, IDM_RESET}, false, kSelectBackground), idle); // no menu named
}

} // namespace
} // namespace velokrom
