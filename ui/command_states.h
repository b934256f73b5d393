#pragma once
// The rules that enable, grey and check the main window's commands. They write through a
// sink: the Win32 window sets menu items and toolbar buttons, tests record the states.
#include <cstdint>

#include "command_table.h"
#include "composite/run_choices.h"

namespace velokrom {

class CommandStateSink {
public:
    virtual ~CommandStateSink() = default;
    virtual void setMenuEnabled(int32_t commandId, bool enabled) = 0;
    virtual void setMenuChecked(int32_t commandId, bool checked) = 0;
    // Only for commands with a button; replaces the button's whole state.
    virtual void setButtonState(int32_t commandId, ButtonState state) = 0;
};

// Select Background, Select Foreground and Tune Colors need a key to refine.
void updateSampleCommands(CommandStateSink& sink, bool keyReady);
// Undo and Reset need an earlier history entry, Redo a later one.
void updateHistoryCommands(CommandStateSink& sink, bool canUndo, bool canRedo);
void updateMarkCommand(CommandStateSink& sink, bool marked);
void updateBlendChecks(CommandStateSink& sink, BlendMode blendMode);
// Offered only for an image with an alpha plane; a greyed item keeps its check mark.
void updateMatteToAlphaCommand(CommandStateSink& sink, bool hasAlphaPlane, bool writeMatteToAlpha);

// The chosen one of a radio group (the four operations, the four views): its menu item checked,
// the others not, its button checked (the toolbar unchecks the rest of its group).
void checkGroupChoice(CommandStateSink& sink, int32_t firstId, int32_t count, int32_t chosen);
// Zoom mode's menu check and toggle button.
void showZoomMode(CommandStateSink& sink, bool on);

} // namespace velokrom
