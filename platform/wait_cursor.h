#pragma once
// Shows the wait cursor for the life of the object, then the cursor shown before it.
#include "platform_services.h"

namespace velokrom {

class WaitCursor {
public:
    explicit WaitCursor(PlatformServices& platform) : platform_(platform), previous_(platform.showWaitCursor()) {}
    ~WaitCursor() { platform_.restoreCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    PlatformServices& platform_;
    CursorHandle previous_;
};

} // namespace velokrom
