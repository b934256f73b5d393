#pragma once
// Which string the status bar and the tooltips show.
#include <cstdint>

#include "composite/run_choices.h"

namespace velokrom {

// What the status bar shows when nothing is being pointed at: the zoom hint in zoom mode,
// else the drag hint of the key operation.
int32_t idleHintId(bool zoomMode, KeyOperation keyOperation);
// showStatus's choice: the help line of command id, or the idle hint.
int32_t statusStringId(int32_t id, bool isHelp, bool zoomMode, KeyOperation keyOperation);
// The tooltip of a toolbar button: the string with its command id; 0 for an id without a button.
int32_t tooltipStringId(int32_t commandId);

// A menu item being highlighted: its help line when it is a plain item of an open menu,
// otherwise (a popup title, the menu closing) the idle hint.
struct MenuHover {
    bool namesMenu;  // the event names a menu
    bool isPopup;
    bool closing;
    int32_t itemId;
};
int32_t menuHoverStringId(const MenuHover& hover, bool zoomMode, KeyOperation keyOperation);

} // namespace velokrom
