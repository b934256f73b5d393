#include "command_table.h"

namespace velokrom {

Command commandFor(int32_t id) {
    if (id >= IDM_AUTO_SETUP && id <= IDM_TUNE_COLORS) return {CommandAction::ChooseOperation, id - IDM_AUTO_SETUP};
    if (id >= IDM_VIEW_COMPOSITE && id <= IDM_VIEW_BACK) return {CommandAction::ChooseView, id - IDM_VIEW_COMPOSITE};
    if (id >= IDM_BLEND_DIRECT && id <= IDM_BLEND_SOLID) return {CommandAction::ChooseBlend, id - IDM_BLEND_DIRECT};
    switch (id) {
    case IDM_UNDO: return {CommandAction::Undo, 0};
    case IDM_REDO: return {CommandAction::Redo, 0};
    case IDM_RESET: return {CommandAction::Reset, 0};
    case IDM_LOAD_SETTINGS: return {CommandAction::LoadSettings, 0};
    case IDM_SAVE_SETTINGS: return {CommandAction::SaveSettings, 0};
    case IDM_ZOOM_MODE: return {CommandAction::ToggleZoomMode, 0};
    case IDM_DEFAULT_SIZE: return {CommandAction::DefaultSize, 0};
    case IDM_CANCEL: return {CommandAction::EndRun, 0};
    case IDM_OK: return {CommandAction::EndRun, 1};
    case IDM_HELP: return {CommandAction::Help, 0};
    case IDM_ABOUT: return {CommandAction::About, 0};
    case IDM_SELECT_COLOR: return {CommandAction::SelectColor, 0};
    case IDM_MARK_SETTINGS: return {CommandAction::MarkSettings, 0};
    case IDM_RETURN_TO_MARK: return {CommandAction::ReturnToMark, 0};
    case IDM_MATTE_TO_ALPHA: return {CommandAction::ToggleMatteToAlpha, 0};
    default: return {CommandAction::Unhandled, 0};
    }
}

namespace {

constexpr ToolbarSlot kSeparator{0, 0, 0, ButtonStyle::Separator, ButtonState::Enabled};

constexpr ToolbarSlot kSlots[] = {
    kSeparator,
    {IDM_AUTO_SETUP, IDB_OPERATIONS, 0, ButtonStyle::CheckGroup, ButtonState::Checked},
    {IDM_SELECT_BACKGROUND, IDB_OPERATIONS, 1, ButtonStyle::CheckGroup, ButtonState::Greyed},
    {IDM_SELECT_FOREGROUND, IDB_OPERATIONS, 2, ButtonStyle::CheckGroup, ButtonState::Greyed},
    {IDM_TUNE_COLORS, IDB_OPERATIONS, 3, ButtonStyle::CheckGroup, ButtonState::Greyed},
    kSeparator,
    {IDM_VIEW_COMPOSITE, IDB_VIEWS, 0, ButtonStyle::CheckGroup, ButtonState::Checked},
    {IDM_VIEW_MATTE, IDB_VIEWS, 1, ButtonStyle::CheckGroup, ButtonState::Enabled},
    {IDM_VIEW_FRONT, IDB_VIEWS, 2, ButtonStyle::CheckGroup, ButtonState::Enabled},
    {IDM_VIEW_BACK, IDB_VIEWS, 3, ButtonStyle::CheckGroup, ButtonState::Enabled},
    kSeparator,
    {IDM_UNDO, IDB_HISTORY, 0, ButtonStyle::Push, ButtonState::Greyed},
    {IDM_REDO, IDB_HISTORY, 1, ButtonStyle::Push, ButtonState::Greyed},
    {IDM_RESET, IDB_HISTORY, 2, ButtonStyle::Push, ButtonState::Greyed},
    kSeparator,
    {IDM_LOAD_SETTINGS, IDB_SETTINGS, 0, ButtonStyle::Push, ButtonState::Enabled},
    {IDM_SAVE_SETTINGS, IDB_SETTINGS, 1, ButtonStyle::Push, ButtonState::Enabled},
    kSeparator,
    {IDM_ZOOM_MODE, IDB_ZOOM, 0, ButtonStyle::Check, ButtonState::Enabled},
    {IDM_DEFAULT_SIZE, IDB_ZOOM, 1, ButtonStyle::Push, ButtonState::Enabled},
    kSeparator,
    {IDM_CANCEL, IDB_END_RUN, 0, ButtonStyle::Push, ButtonState::Enabled},
    {IDM_OK, IDB_END_RUN, 1, ButtonStyle::Push, ButtonState::Enabled},
    kSeparator,
    {IDM_HELP, IDB_HELP, 0, ButtonStyle::Push, ButtonState::Enabled},
};

} // namespace

const ToolbarSlot* toolbarSlots(size_t& count) {
    count = sizeof kSlots / sizeof kSlots[0];
    return kSlots;
}

} // namespace velokrom
