#pragma once
// What each command id of the main window does, and the toolbar that offers them.
#include <cstddef>
#include <cstdint>

#include "command_ids.h"

namespace velokrom {

enum class CommandAction {
    ChooseOperation,  // argument: the KeyOperation
    ChooseView,       // argument: the ViewMode
    Undo,
    Redo,
    Reset,
    LoadSettings,
    SaveSettings,
    ToggleZoomMode,
    DefaultSize,
    EndRun,  // argument: 1 for OK, 0 for Cancel
    Help,
    About,
    ChooseBlend,  // argument: the BlendMode
    SelectColor,
    MarkSettings,
    ReturnToMark,
    ToggleMatteToAlpha,
    Unhandled,  // not one of ours: the platform's default processing
};

struct Command {
    CommandAction action;
    int32_t argument;
};

Command commandFor(int32_t commandId);

// ---- the toolbar, left to right

enum class ButtonStyle { Separator, CheckGroup, Check, Push };
// A button's whole state: setting one replaces the other (an enabled button loses its check).
enum class ButtonState { Enabled, Checked, Greyed };

struct ToolbarSlot {
    int32_t commandId;  // 0 for a separator
    int32_t bitmapId;
    int32_t image;  // index of the 16 x 15 image within the bitmap
    ButtonStyle style;
    ButtonState initialState;
};

const ToolbarSlot* toolbarSlots(size_t& count);

// The width the toolbar asks of the window, whatever its buttons measure.
constexpr int32_t kToolbarWidth = 486;
constexpr int32_t kButtonImageWidth = 16;
constexpr int32_t kButtonImageHeight = 15;

} // namespace velokrom
