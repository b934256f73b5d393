#include "scripted_window.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace velokrom::testing {

ScriptedCommandStates::ScriptedCommandStates() {
    size_t count = 0;
    const ToolbarSlot* slots = toolbarSlots(count);
    for (size_t i = 0; i < count; ++i)
        if (slots[i].style != ButtonStyle::Separator) states[slots[i].commandId].button = slots[i].initialState;
}

void ScriptedCommandStates::setButtonState(int32_t id, ButtonState state) {
    size_t count = 0;
    const ToolbarSlot* slots = toolbarSlots(count);
    size_t at = count;
    for (size_t i = 0; i < count; ++i)
        if (slots[i].commandId == id) at = i;
    ASSERT_LT(at, count) << "command " << id << " has no button";
    if (state == ButtonState::Checked && slots[at].style == ButtonStyle::CheckGroup) {
        // The group runs between separators.
        for (size_t i = at; i < count && slots[i].style == ButtonStyle::CheckGroup; ++i)
            if (states[slots[i].commandId].button == ButtonState::Checked) states[slots[i].commandId].button = ButtonState::Enabled;
        for (size_t i = at; i > 0 && slots[i - 1].style == ButtonStyle::CheckGroup; --i)
            if (states[slots[i - 1].commandId].button == ButtonState::Checked)
                states[slots[i - 1].commandId].button = ButtonState::Enabled;
    }
    states[id].button = state;
}

bool ScriptedProgressBar::createBar(int32_t maximum) {
    range = maximum;
    if (!statusBar) return false;
    ++created;
    shown = true;
    return true;
}

ScriptedScreen::ScriptedScreen(int32_t w, int32_t h) : width(w), height(h), pixels(static_cast<size_t>(w * h)) {
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
}

void ScriptedScreen::invertPixel(int32_t x, int32_t y) {
    ASSERT_TRUE(x >= 0 && y >= 0 && x < width && y < height) << x << "," << y;
    pixels[static_cast<size_t>(y * width + x)] ^= 0x7F7F7F;
    ++inversions;
}

void ScriptedWindow::setStatusText(const char* text) {
    if (text) statusText = text;
}

bool ScriptedWindow::askYesNo(const char* caption, const char* text) {
    questions.push_back(std::string(caption) + ": " + text);
    EXPECT_FALSE(answers.empty()) << "unexpected question " << questions.back();
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
}

// The handle answered is the depth of the wait, so that a restore out of order shows.
CursorHandle ScriptedWindow::showWaitCursor() {
    waitStack.push_back(cursor);
    cursor = CursorShape::Wait;
    ++waits;
    return reinterpret_cast<CursorHandle>(static_cast<uintptr_t>(waitStack.size()));
}

void ScriptedWindow::restoreCursor(CursorHandle previous) {
    ASSERT_FALSE(waitStack.empty());
    EXPECT_EQ(reinterpret_cast<uintptr_t>(previous), waitStack.size());
    cursor = waitStack.back();
    waitStack.pop_back();
}

void ScriptedWindow::setScrollBar(ScrollAxis axis, int32_t maximum, int32_t position) {
    bar(axis).maximum = maximum;
    bar(axis).position = position;
}

bool ScriptedTuningView::create() {
    calls.push_back("create");
    return creatable;
}

void ScriptedTuningView::showSliderPosition(int32_t sliderId, int32_t position) {
    calls.push_back("slider " + std::to_string(sliderId) + " " + std::to_string(position));
}

void ScriptedTuningView::showText(int32_t textId, const std::string& text) {
    calls.push_back("text " + std::to_string(textId) + " " + text);
}

bool ScriptedColorChooser::choose(WindowHandle owner, PackedColor initial, CustomColors& custom, PackedColor& chosen) {
    owners.push_back(owner);
    offeredInitial.push_back(initial);
    offeredCustom.push_back(custom);
    custom[3] = 0x00336699;
    chosen = answer;
    return accept;
}

} // namespace velokrom::testing
