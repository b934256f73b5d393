#pragma once
// The main window's menu as a flat list in resource order, from the one list the resource
// script also reads.
#include <cstddef>
#include <cstdint>

namespace velokrom {

enum class MenuEntryKind { Popup, Item, Separator, PopupEnd };

struct MenuEntry {
    MenuEntryKind kind;
    const char* label;   // popups and items
    int32_t commandId;   // items
};

const MenuEntry* mainMenuEntries(size_t& count);

} // namespace velokrom
