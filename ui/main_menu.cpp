#include "main_menu.h"

#include "command_ids.h"

namespace velokrom {
namespace {

constexpr MenuEntry kEntries[] = {
#define VELOKROM_POPUP(label) {MenuEntryKind::Popup, label, 0},
#define VELOKROM_ITEM(label, id) {MenuEntryKind::Item, label, (id)},
#define VELOKROM_SEPARATOR {MenuEntryKind::Separator, nullptr, 0},
#define VELOKROM_POPUP_END {MenuEntryKind::PopupEnd, nullptr, 0},
#include "main_menu.def"
#undef VELOKROM_POPUP
#undef VELOKROM_ITEM
#undef VELOKROM_SEPARATOR
#undef VELOKROM_POPUP_END
};

} // namespace

const MenuEntry* mainMenuEntries(size_t& count) {
    count = sizeof kEntries / sizeof kEntries[0];
    return kEntries;
}

} // namespace velokrom
