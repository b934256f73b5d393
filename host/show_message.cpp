#include "show_message.h"

#include "platform/string_table.h"

namespace velokrom {
namespace {

struct MessageEntry {
    int32_t code;
    int32_t stringId;
};

constexpr MessageEntry kMessages[] = {
    {kMessageSizeMismatch, IDS_MSG_SIZE_MISMATCH},
    {kMessageLoadFailed, IDS_MSG_LOAD_FAILED},
    {kMessageHostTooOld, IDS_MSG_HOST_TOO_OLD},
    {kMessageRgbOnly, IDS_MSG_RGB_ONLY},
    {kMessageSaveFailed, IDS_MSG_SAVE_FAILED},
    {kMessageNoMemory, IDS_MSG_NO_MEMORY},
    {kMessageFloatingSelection, IDS_MSG_FLOATING},
    {-1, 0},
};

} // namespace

void showMessage(PlatformServices& platform, int32_t code) {
    for (const MessageEntry* entry = kMessages; entry->code != -1; ++entry) {
        if (entry->code != code) continue;
        platform.beep();
        platform.messageBox(nullptr, MessageIcon::Stop, MessageButtons::Ok, platform.loadString(IDS_CAPTION),
                            platform.loadString(entry->stringId));
        return;
    }
}

} // namespace velokrom
