// The main window and its display window in Win32: the frame with menu, toolbar and status bar,
// sized and placed from the image and the screen, the display window between the bars, and the
// run's own message loop. Messages become calls of MainWindow and DisplayView; this file only
// translates and draws, and implements the window services they ask for.
#include <windows.h>
#include <windowsx.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "color_chooser_win32.h"
#include "command_ids.h"
#include "main_window.h"
#include "platform/module_instance_win32.h"
#include "platform/string_table.h"
#include "tuning_dialog_win32.h"
#include "window_controls_win32.h"

namespace velokrom {
namespace {

constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

void setupFailed(const char* text) { MessageBoxA(nullptr, text, "", MB_OK); }

class Win32MainWindow final : public WindowServices {
public:
    Win32MainWindow(MainWindow& model, HINSTANCE module) : model_(model), module_(module) {}
    void run(HWND owner);

    CommandStateSink& commandStates() override { return states_; }
    ProgressBarView& progressBar() override { return progress_; }
    void setStatusText(const char* text) override { velokrom::setStatusText(status_, text); }
    void beep() override { MessageBeep(MB_OK); }
    bool askYesNo(const char* caption, const char* text) override {
        return MessageBoxA(main_, text, caption, MB_YESNO) == IDYES;
    }
    void tell(const char* caption, const char* text) override { MessageBoxA(display_, text, caption, MB_OK); }
    void setCursor(CursorShape shape) override { SetCursor(cursorFor(shape, module_)); }
    CursorHandle showWaitCursor() override { return SetCursor(cursorFor(CursorShape::Wait, module_)); }
    void restoreCursor(CursorHandle previous) override { SetCursor(static_cast<HCURSOR>(previous)); }
    std::optional<bool> altHeld() override { return GetKeyState(VK_MENU) < 0; }
    bool displayExists() override { return display_ != nullptr; }
    ClientSize displayClientSize() override {
        RECT r{};
        if (display_) GetClientRect(display_, &r);
        return {r.right, r.bottom};
    }
    void invalidateDisplay(bool erase) override {
        if (display_) InvalidateRect(display_, nullptr, erase);
    }
    void showScrollBar(ScrollAxis axis, bool shown) override {
        if (display_) ShowScrollBar(display_, axis == ScrollAxis::Horizontal ? SB_HORZ : SB_VERT, shown);
    }
    void setScrollBar(ScrollAxis axis, int32_t maximum, int32_t position) override {
        if (!display_) return;
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, 0, maximum, 0, position, 0};
        SetScrollInfo(display_, axis == ScrollAxis::Horizontal ? SB_HORZ : SB_VERT, &info, TRUE);
    }
    void captureMouse() override { SetCapture(display_); }
    void releaseMouse() override {
        if (display_ && GetCapture() == display_) ReleaseCapture();
    }
    TrailCanvas& trailCanvas() override { return canvas_; }
    TuningDialogView& tuningDialogView() override { return tuning_; }
    ColorChooser& colorChooser() override { return chooser_; }
    WindowHandle mainWindow() override { return main_; }
    void endRun() override {
        if (model_.hostWindow)
            SetWindowPos(static_cast<HWND>(model_.hostWindow), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        if (main_) DestroyWindow(main_);
    }

private:
    static LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK displayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMain(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onDisplay(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool registerClasses();
    void measureBars(HWND owner);
    bool buildChildren();
    LRESULT tooltip(NMHDR* header);

    MainWindow& model_;
    HINSTANCE module_;
    HWND main_ = nullptr;
    HWND display_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND status_ = nullptr;
    BarHeights bars_{0, 0};
    Win32CommandStates states_{nullptr, nullptr};
    Win32ProgressBar progress_{nullptr};
    Win32TrailCanvas canvas_{nullptr};
    Win32TuningDialog tuning_{model_, module_};
    Win32ColorChooser chooser_;
    std::wstring wideTip_;
    bool closed_ = false;
};

bool Win32MainWindow::registerClasses() {
    WNDCLASSA main{};
    main.style = CS_OWNDC;
    main.lpfnWndProc = mainProc;
    main.hInstance = module_;
    main.hIcon = LoadIconA(module_, MAIN_ICON_NAME);
    main.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    main.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    main.lpszMenuName = MAIN_MENU_NAME;
    main.lpszClassName = MAIN_WINDOW_CLASS;
    if (!RegisterClassA(&main)) {
        setupFailed("RegisterClass failed");
        return false;
    }
    WNDCLASSA display{};
    display.style = CS_OWNDC;
    display.lpfnWndProc = displayProc;
    display.hInstance = module_;
    display.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    display.lpszClassName = DISPLAY_WINDOW_CLASS;
    if (!RegisterClassA(&display)) {
        setupFailed("RegisterClass (display) failed");
        UnregisterClassA(MAIN_WINDOW_CLASS, module_);
        return false;
    }
    return true;
}

void Win32MainWindow::measureBars(HWND owner) {
    // The bars are made once with the owner as parent only to learn their heights.
    HWND toolbar = createMainToolbar(owner, module_);
    if (!toolbar) setupFailed("CreateToolbar failed with dialog box");
    bars_.toolbar = barHeight(toolbar);
    if (toolbar) DestroyWindow(toolbar);
    HWND status = createMainStatusBar(owner);
    if (!status) setupFailed("CreateStatusbar failed with dialog box");
    bars_.statusBar = barHeight(status);
    if (status) DestroyWindow(status);
}

bool Win32MainWindow::buildChildren() {
    toolbar_ = createMainToolbar(main_, module_);
    status_ = createMainStatusBar(main_);
    states_ = Win32CommandStates(GetMenu(main_), toolbar_);
    progress_ = Win32ProgressBar(status_);
    const int32_t screenWidth = model_.display.screenWidth, screenHeight = model_.display.screenHeight;
    model_.attachWindow(*this, DragTrailMask(model_.dragTrailBits, screenWidth, screenHeight));
    RECT client{};
    GetClientRect(main_, &client);
    const PixelRect area = displayWindowRect(client.right, client.bottom, bars_);
    if (!CreateWindowExA(0, DISPLAY_WINDOW_CLASS, nullptr, WS_CHILD | WS_VISIBLE, area.left, area.top, area.width(),
                         area.height(), main_, nullptr, module_, this)) {
        setupFailed("CreateWindow (display) failed");
        return false;
    }
    // It overlaps the toolbar's last two rows and the status bar's first, where the picture's
    // first row and the margins lie: above the bars, it is never painted over by them.
    SetWindowPos(display_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    canvas_ = Win32TrailCanvas(GetDC(display_));
    tuning_.setDisplay(display_);
    model_.displayView()->centreOn(0, 0);
    return true;
}

void Win32MainWindow::run(HWND owner) {
    HCURSOR before = SetCursor(cursorFor(CursorShape::Wait, module_));
    if (!registerClasses()) return;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    measureBars(owner);

    const int32_t screenWidth = model_.display.screenWidth, screenHeight = model_.display.screenHeight;
    const ClientSize size = mainClientSize(model_.imageWidth, model_.imageHeight, screenWidth, screenHeight, bars_);
    const PixelRect place = mainClientRect(size, screenWidth, screenHeight, bars_);
    RECT outer{place.left, place.top, place.right, place.bottom};
    AdjustWindowRect(&outer, kMainStyle, TRUE);
    CreateWindowExA(0, MAIN_WINDOW_CLASS, IDS_CAPTION_STR, kMainStyle, outer.left, outer.top, outer.right - outer.left,
                    outer.bottom - outer.top, owner, nullptr, module_, this);
    if (!main_) {
        setupFailed("CreateWindow (main) failed");
    } else if (!buildChildren()) {
        DestroyWindow(main_);
    } else {
        model_.windowBuilt();
        RECT r{};
        GetWindowRect(main_, &r);
        const PixelRect kept = keepOnScreen({r.left, r.top, r.right, r.bottom}, screenWidth, screenHeight);
        SetWindowPos(main_, nullptr, kept.left, kept.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
        ShowWindow(main_, SW_SHOWNORMAL);
        model_.windowShown();
        SetCursor(before);
        // The loop ends when the window is destroyed (OK or Cancel); a quit message meant for
        // the host is handed back to it. The tuning dialog's messages go through the dialog
        // manager, so that Tab, the arrow keys, Enter and Escape work in it.
        MSG message;
        while (!closed_) {
            const BOOL got = GetMessageA(&message, nullptr, 0, 0);
            if (got <= 0) {
                if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
                if (main_) DestroyWindow(main_);
                break;
            }
            HWND tuning = tuning_.handle();
            if (tuning && IsDialogMessageA(tuning, &message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (!UnregisterClassA(DISPLAY_WINDOW_CLASS, module_)) setupFailed("UnregisterClass (display) failed");
    if (!UnregisterClassA(MAIN_WINDOW_CLASS, module_)) setupFailed("UnregisterClass (main) failed");
}

LRESULT CALLBACK Win32MainWindow::mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->main_ = window;
        self->model_.mainWindow = window;
    }
    auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return self ? self->onMain(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK Win32MainWindow::displayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->display_ = window;
    }
    auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return self ? self->onDisplay(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Win32MainWindow::tooltip(NMHDR* header) {
    const int32_t id = static_cast<int32_t>(header->idFrom);
    const char* text = model_.tooltipText(id);
    if (!text) return 0;
    if (header->code == TTN_GETDISPINFOA) {
        reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = const_cast<char*>(text);
    } else {
        wideTip_.assign(text, text + std::char_traits<char>::length(text));  // the texts are ASCII
        reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = wideTip_.data();
    }
    return 0;
}

LRESULT Win32MainWindow::onMain(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (display_) {
            const PixelRect area = displayWindowRect(LOWORD(lParam), HIWORD(lParam), bars_);
            MoveWindow(display_, area.left, area.top, area.width(), area.height(), TRUE);
        }
        if (toolbar_) SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
        if (status_) SendMessageA(status_, WM_SIZE, wParam, lParam);
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW) return tooltip(header);
        model_.showStatus(0, false);
        break;
    }
    case WM_MENUSELECT: {
        const UINT flags = HIWORD(wParam);
        const MenuHover hover{lParam != 0, (flags & MF_POPUP) != 0, flags == 0xFFFF && lParam == 0,
                              static_cast<int32_t>(LOWORD(wParam))};
        model_.menuHover(hover);
        return 0;
    }
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (wParam == VK_MENU && display_) {
            POINT p{};
            GetCursorPos(&p);
            ScreenToClient(display_, &p);
            if (model_.altKey(message == WM_SYSKEYDOWN, p.x, p.y)) return 0;
        }
        break;
    case WM_COMMAND:
        if (model_.handleCommand(LOWORD(wParam), reinterpret_cast<WindowHandle>(lParam), HIWORD(wParam))) return 0;
        break;
    case WM_DESTROY:
        model_.windowClosed();
        closed_ = true;
        main_ = display_ = toolbar_ = status_ = nullptr;
        model_.mainWindow = nullptr;
        states_ = Win32CommandStates(nullptr, nullptr);
        progress_ = Win32ProgressBar(nullptr);
        return 0;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Win32MainWindow::onDisplay(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DisplayView* view = model_.displayView();
    if (!view) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE: view->resized(wParam == SIZE_MINIMIZED); return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        view->paint(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
        const bool across = message == WM_HSCROLL;
        SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(window, across ? SB_HORZ : SB_VERT, &info);  // 32-bit thumb positions
        view->scroll(across ? ScrollAxis::Horizontal : ScrollAxis::Vertical, scrollRequest(LOWORD(wParam)),
                     info.nTrackPos);
        return 0;
    }
    case WM_MOUSEMOVE: view->mouseMoved(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONDOWN: view->leftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONUP: view->leftButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_CAPTURECHANGED: view->captureLost(); return 0;
    case WM_RBUTTONDOWN:
        view->rightButtonDown((wParam & MK_CONTROL) != 0, GetKeyState(VK_MENU) < 0, (wParam & MK_SHIFT) != 0);
        return 0;
    case WM_APP_REFRESH_VIEW: model_.keyChangedElsewhere(); return 0;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

ProgressBarView& MainWindow::progressBeforeWindow() {
    static Win32ProgressBar cursorOnly(nullptr);
    return cursorOnly;
}

void MainWindow::runMainWindow(WindowHandle owner) {
    Win32MainWindow window(*this, moduleInstance());
    window.run(static_cast<HWND>(owner));
}

} // namespace velokrom
