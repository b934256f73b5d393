#include "command_states.h"

#include <initializer_list>

namespace velokrom {
namespace {

void setCommand(CommandStateSink& sink, int32_t id, bool enabled) {
    sink.setMenuEnabled(id, enabled);
    sink.setButtonState(id, enabled ? ButtonState::Enabled : ButtonState::Greyed);
}

} // namespace

void updateSampleCommands(CommandStateSink& sink, bool keyReady) {
    for (int32_t id : {IDM_SELECT_BACKGROUND, IDM_SELECT_FOREGROUND, IDM_TUNE_COLORS}) setCommand(sink, id, keyReady);
}

void updateHistoryCommands(CommandStateSink& sink, bool canUndo, bool canRedo) {
    setCommand(sink, IDM_UNDO, canUndo);
    setCommand(sink, IDM_RESET, canUndo);
    setCommand(sink, IDM_REDO, canRedo);
}

void updateMarkCommand(CommandStateSink& sink, bool marked) { sink.setMenuEnabled(IDM_RETURN_TO_MARK, marked); }

void updateBlendChecks(CommandStateSink& sink, BlendMode blendMode) {
    for (int32_t mode = 0; mode < 3; ++mode) sink.setMenuChecked(IDM_BLEND_DIRECT + mode, mode == blendMode);
}

void updateMatteToAlphaCommand(CommandStateSink& sink, bool hasAlphaPlane, bool writeMatteToAlpha) {
    sink.setMenuEnabled(IDM_MATTE_TO_ALPHA, hasAlphaPlane);
    if (hasAlphaPlane) sink.setMenuChecked(IDM_MATTE_TO_ALPHA, writeMatteToAlpha);
}

void checkGroupChoice(CommandStateSink& sink, int32_t firstId, int32_t count, int32_t chosen) {
    for (int32_t i = 0; i < count; ++i) sink.setMenuChecked(firstId + i, i == chosen);
    if (chosen >= 0 && chosen < count) sink.setButtonState(firstId + chosen, ButtonState::Checked);
}

void showZoomMode(CommandStateSink& sink, bool on) {
    sink.setMenuChecked(IDM_ZOOM_MODE, on);
    sink.setButtonState(IDM_ZOOM_MODE, on ? ButtonState::Checked : ButtonState::Enabled);
}

} // namespace velokrom
