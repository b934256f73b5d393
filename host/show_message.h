#pragma once
#include <cstdint>

#include "platform/platform_services.h"

namespace velokrom {

// The message codes of the start call.
enum MessageCode : int32_t {
    kMessageSizeMismatch = 1,
    kMessageLoadFailed = 2,
    kMessageHostTooOld = 3,
    kMessageRgbOnly = 4,
    kMessageSaveFailed = 5,
    kMessageNoMemory = 6,
    kMessageFloatingSelection = 10,
};

// A simple beep, then a message box without owner, with the stop icon, the title "Velokrom"
// and the code's text. A code without a text shows nothing.
void showMessage(PlatformServices& platform, int32_t code);

} // namespace velokrom
