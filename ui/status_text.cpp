#include "status_text.h"

#include "command_ids.h"
#include "ui_strings.h"

namespace velokrom {

int32_t idleHintId(bool zoomMode, KeyOperation keyOperation) {
    return zoomMode ? IDS_HINT_ZOOM : IDS_HINT_AUTO_SETUP + static_cast<int32_t>(keyOperation);
}

int32_t statusStringId(int32_t id, bool isHelp, bool zoomMode, KeyOperation keyOperation) {
    return isHelp ? id + IDS_HELP_OFFSET : idleHintId(zoomMode, keyOperation);
}

int32_t tooltipStringId(int32_t commandId) {
    return commandId >= IDM_FIRST && commandId <= IDM_LAST_BUTTON ? commandId : 0;
}

int32_t menuHoverStringId(const MenuHover& hover, bool zoomMode, KeyOperation keyOperation) {
    const bool plainItem = hover.namesMenu && !hover.isPopup && !hover.closing;
    return statusStringId(hover.itemId, plainItem, zoomMode, keyOperation);
}

} // namespace velokrom
