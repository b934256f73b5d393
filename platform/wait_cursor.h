#pragma once
// The wait cursor for the life of a WaitCursor object, over whatever can show it: the platform
// (code without a window) or a window of the user interface.
namespace velokrom {

using CursorHandle = void*;  // HCURSOR on Windows; an opaque token elsewhere

class WaitCursorSurface {
public:
    // Shows the wait cursor and answers the cursor shown before it, for restoreCursor.
    virtual CursorHandle showWaitCursor() = 0;
    virtual void restoreCursor(CursorHandle previous) = 0;

protected:
    ~WaitCursorSurface() = default;
};

// Shows the wait cursor, then brings back the cursor shown before it.
class WaitCursor {
public:
    explicit WaitCursor(WaitCursorSurface& surface) : surface_(surface), previous_(surface.showWaitCursor()) {}
    ~WaitCursor() { surface_.restoreCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    WaitCursorSurface& surface_;
    CursorHandle previous_;
};

} // namespace velokrom
