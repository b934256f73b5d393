#include "ui_strings.h"

namespace velokrom {
namespace {

constexpr UiString kStrings[] = {
#define VELOKROM_STRING(name, id, text) {(id), text},
#include "ui_strings.def"
#undef VELOKROM_STRING
};

} // namespace

const UiString* uiStrings(size_t& count) {
    count = sizeof kStrings / sizeof kStrings[0];
    return kStrings;
}

const char* uiString(int32_t id) {
    for (const UiString& s : kStrings)
        if (s.id == id) return s.text;
    return nullptr;
}

} // namespace velokrom
