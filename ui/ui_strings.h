#pragma once
// The main window's texts by id, from the one list the resource script also reads.
#include <cstddef>
#include <cstdint>

#include "command_ids.h"

namespace velokrom {

enum UiStringId : int32_t {
#define VELOKROM_STRING(name, id, text) name = (id),
#include "ui_strings.def"
#undef VELOKROM_STRING
};

struct UiString {
    int32_t id;
    const char* text;
};

// Every entry of the list, in its order.
const UiString* uiStrings(size_t& count);
// The text with that id, or null when the list has none.
const char* uiString(int32_t id);

} // namespace velokrom
