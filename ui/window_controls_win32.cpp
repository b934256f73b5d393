#include "window_controls_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace velokrom {
namespace {

BYTE toolbarState(ButtonState state) {
    switch (state) {
    case ButtonState::Enabled: return TBSTATE_ENABLED;
    case ButtonState::Checked: return TBSTATE_ENABLED | TBSTATE_CHECKED;
    case ButtonState::Greyed: break;
    }
    return TBSTATE_INDETERMINATE;
}

BYTE toolbarStyle(ButtonStyle style) {
    switch (style) {
    case ButtonStyle::Separator: return TBSTYLE_SEP;
    case ButtonStyle::CheckGroup: return TBSTYLE_CHECKGROUP;
    case ButtonStyle::Check: return TBSTYLE_CHECK;
    case ButtonStyle::Push: break;
    }
    return TBSTYLE_BUTTON;
}

void setupFailed(const char* text) { MessageBoxA(nullptr, text, "", MB_OK); }

} // namespace

ScrollRequest scrollRequest(WORD code) {
    switch (code) {
    case SB_LINEUP: return ScrollRequest::LineBack;
    case SB_LINEDOWN: return ScrollRequest::LineForward;
    case SB_PAGEUP: return ScrollRequest::PageBack;
    case SB_PAGEDOWN: return ScrollRequest::PageForward;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return ScrollRequest::Thumb;
    case SB_TOP: return ScrollRequest::Top;
    case SB_BOTTOM: return ScrollRequest::Bottom;
    case SB_ENDSCROLL: return ScrollRequest::EndScroll;
    default: return ScrollRequest::Other;
    }
}

HWND createMainToolbar(HWND parent, HINSTANCE module) {
    // Both bars leave out of their paint the display window, which overlaps their inner edges
    // and lies above them (buildChildren): otherwise whichever painted last would show there.
    HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                                   WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS, 0, 0, 0, 0,
                                   parent, nullptr, module, nullptr);
    if (!toolbar) {
        setupFailed("CreateToolbar failed");
        return nullptr;
    }
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(kButtonImageWidth, kButtonImageHeight));
    size_t count = 0;
    const ToolbarSlot* slots = toolbarSlots(count);
    // Each strip is added once, at its first button; its images follow one another.
    std::vector<std::pair<int32_t, LRESULT>> firstImage;
    std::vector<TBBUTTON> buttons(count);
    for (size_t i = 0; i < count; ++i) {
        const ToolbarSlot& slot = slots[i];
        TBBUTTON& b = buttons[i];
        b.fsStyle = toolbarStyle(slot.style);
        if (slot.style == ButtonStyle::Separator) continue;
        LRESULT base = -1;
        for (const auto& [bitmap, index] : firstImage)
            if (bitmap == slot.bitmapId) base = index;
        if (base < 0) {
            int32_t images = 0;
            for (size_t j = 0; j < count; ++j) images += slots[j].bitmapId == slot.bitmapId;
            TBADDBITMAP strip{module, static_cast<UINT_PTR>(slot.bitmapId)};
            base = SendMessageA(toolbar, TB_ADDBITMAP, static_cast<WPARAM>(images), reinterpret_cast<LPARAM>(&strip));
            firstImage.push_back({slot.bitmapId, base});
        }
        b.iBitmap = static_cast<int>(base + slot.image);
        b.idCommand = slot.commandId;
        b.fsState = toolbarState(slot.initialState);
    }
    SendMessageA(toolbar, TB_ADDBUTTONSA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    return toolbar;
}

HWND createMainStatusBar(HWND parent) {
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                               parent, reinterpret_cast<HMENU>(static_cast<intptr_t>(1)), nullptr, nullptr);
    if (!bar) {
        setupFailed("CreateStatusbar failed");
        return nullptr;
    }
    int rightEdge = -1;
    SendMessageA(bar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&rightEdge));
    return bar;
}

int32_t barHeight(HWND bar) {
    RECT r{};
    if (!bar || !GetWindowRect(bar, &r)) return 0;
    return r.bottom - r.top - 1;
}

void setStatusText(HWND statusBar, const char* text) {
    if (statusBar && text) SendMessageA(statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

HCURSOR cursorFor(CursorShape shape, HINSTANCE module) {
    switch (shape) {
    case CursorShape::Wait: return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    case CursorShape::ZoomIn: return LoadCursorA(module, ZOOM_IN_CURSOR_NAME);
    case CursorShape::ZoomOut: return LoadCursorA(module, ZOOM_OUT_CURSOR_NAME);
    case CursorShape::ZoomLimit: return LoadCursorA(module, ZOOM_LIMIT_CURSOR_NAME);
    case CursorShape::Arrow: break;
    }
    return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
}

void Win32CommandStates::setMenuEnabled(int32_t commandId, bool enabled) {
    if (menu_) EnableMenuItem(menu_, static_cast<UINT>(commandId), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Win32CommandStates::setMenuChecked(int32_t commandId, bool checked) {
    if (menu_) CheckMenuItem(menu_, static_cast<UINT>(commandId), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Win32CommandStates::setButtonState(int32_t commandId, ButtonState state) {
    if (!toolbar_) return;
    const WPARAM id = static_cast<WPARAM>(commandId);
    if (state == ButtonState::Checked) {
        // Checking through the toolbar lets it uncheck the rest of a radio group.
        SendMessageA(toolbar_, TB_SETSTATE, id, MAKELPARAM(TBSTATE_ENABLED, 0));
        SendMessageA(toolbar_, TB_CHECKBUTTON, id, MAKELPARAM(TRUE, 0));
        return;
    }
    SendMessageA(toolbar_, TB_SETSTATE, id, MAKELPARAM(toolbarState(state), 0));
}

void Win32ProgressBar::setCursor(CursorShape shape) { SetCursor(cursorFor(shape, nullptr)); }

bool Win32ProgressBar::createBar(int32_t maximum) {
    if (!statusBar_) return false;
    RECT part{};
    SendMessageA(statusBar_, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part));
    bar_ = CreateWindowExA(0, PROGRESS_CLASSA, "VeloProgWin", WS_CHILD | WS_VISIBLE, part.left, part.top,
                           part.right - part.left, part.bottom - part.top, statusBar_, nullptr, nullptr, nullptr);
    if (!bar_) return false;
    SendMessageA(bar_, PBM_SETRANGE32, 0, maximum);
    maximum_ = maximum;
    position_ = sentPosition_ = 0;
    sentAt_ = GetTickCount();
    return true;
}

void Win32ProgressBar::stepBar() {
    if (!bar_) return;
    ++position_;
    // Unsigned tick differences stay right across the counter's wrap.
    const DWORD now = GetTickCount();
    const bool due = position_ - sentPosition_ >= std::max(1, maximum_ / 100) && now - sentAt_ >= kRepaintGapMs;
    if (!due && position_ < maximum_) return;
    SendMessageA(bar_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
    sentPosition_ = position_;
    sentAt_ = now;
}

void Win32ProgressBar::destroyBar() {
    if (bar_) DestroyWindow(bar_);
    bar_ = nullptr;
}

void Win32TrailCanvas::invertPixel(int32_t x, int32_t y) {
    const COLORREF colour = GetPixel(dc_, x, y);
    if (colour != CLR_INVALID) SetPixel(dc_, x, y, colour ^ 0x7F7F7F);
}

} // namespace velokrom
