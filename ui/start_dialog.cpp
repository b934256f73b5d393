#include "start_dialog.h"

namespace velokrom {

StartChoice presetStartChoice(bool backgroundFileExists) {
    return backgroundFileExists ? kOverSavedBackground : kSaveAsBackground;
}

StartDialogButtons initialStartDialogButtons(StartChoice preset) {
    StartDialogButtons buttons{false, false, false, true};
    if (preset == kOverSavedBackground) {
        buttons.useSavedChecked = true;
    } else if (preset == kSaveAsBackground) {
        buttons.saveChecked = true;
        buttons.useSavedEnabled = false;
    }
    return buttons;
}

StartChoice choiceAfterClick(int32_t controlId, StartChoice current) {
    switch (controlId) {
    case IDC_USE_SAVED_BACKGROUND: return kOverSavedBackground;
    case IDC_USE_GRAY_BACKGROUND: return kOverNeutralGray;
    case IDC_SAVE_AS_BACKGROUND: return kSaveAsBackground;
    default: return current;
    }
}

WindowOrigin centredOnScreen(int32_t screenWidth, int32_t screenHeight, int32_t width, int32_t height) {
    return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

} // namespace velokrom
