#pragma once
// The decisions of the start dialog, apart from the window system: which radio buttons are
// checked and enabled at first, what a click chooses, how the dialog ends, where it is placed.
// The Win32 dialog procedure only translates messages into these calls.
#include <cstdint>

#include "start_dialog_ids.h"

namespace velokrom {

// What the user does with the current image.
enum StartChoice : int32_t {
    kSaveAsBackground = 0,
    kOverSavedBackground = 1,
    kOverNeutralGray = 2,
};

// The preset: over the saved background when there is one, else saving the image.
StartChoice presetStartChoice(bool backgroundFileExists);

struct StartDialogButtons {
    bool useSavedChecked;
    bool useGrayChecked;
    bool saveChecked;
    bool useSavedEnabled;  // without a saved background there is nothing to use
};
StartDialogButtons initialStartDialogButtons(StartChoice preset);

// The choice after a click on the control with that id; other ids leave it unchanged.
StartChoice choiceAfterClick(int32_t controlId, StartChoice current);

// The dialog ended with endId: true unless it was Cancel.
inline bool startDialogAccepted(int32_t endId) { return endId != IDC_START_CANCEL; }

struct WindowOrigin {
    int32_t left;
    int32_t top;
};
// Centres a window of the given size on the screen.
WindowOrigin centredOnScreen(int32_t screenWidth, int32_t screenHeight, int32_t width, int32_t height);

} // namespace velokrom
