#include "tuning_dialog_win32.h"

#include "engine/color_tuning.h"
#include "tuning_dialog_ids.h"
#include "window_controls_win32.h"

namespace velokrom {

bool Win32TuningDialog::create() {
    // The template is visible: the dialog shows itself, active, with the first slider focused.
    return CreateDialogParamA(module_, TUNE_DLG_NAME, display_, dialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Win32TuningDialog::destroy() {
    if (dialog_) DestroyWindow(dialog_);
}

void Win32TuningDialog::showSliderPosition(int32_t sliderId, int32_t position) {
    SetScrollPos(GetDlgItem(dialog_, sliderId), SB_CTL, position, TRUE);
}

void Win32TuningDialog::showText(int32_t textId, const std::string& text) {
    SetDlgItemTextA(dialog_, textId, text.c_str());
}

void Win32TuningDialog::resetSliders() { SendMessageA(dialog_, WM_APP_RESET_SLIDERS, 0, 0); }

void Win32TuningDialog::repaintSwatch() {
    HWND swatch = GetDlgItem(dialog_, IDC_TUNE_SWATCH);
    InvalidateRect(swatch, nullptr, TRUE);
    UpdateWindow(swatch);
}

void Win32TuningDialog::refreshDisplay() { SendMessageA(display_, WM_APP_REFRESH_VIEW, 0, 0); }

INT_PTR CALLBACK Win32TuningDialog::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reinterpret_cast<Win32TuningDialog*>(lParam)->dialog_ = dialog;
    }
    auto* self = reinterpret_cast<Win32TuningDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    return self ? self->onMessage(message, wParam, lParam) : FALSE;
}

INT_PTR Win32TuningDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    TuningDialog* tuning = model_.tuningDialog();
    switch (message) {
    case WM_INITDIALOG: return TRUE;  // the focus goes to the first slider
    case WM_HSCROLL:
        // The thumb's 16-bit position is signed: the range reaches -1000.
        if (tuning && lParam)
            tuning->scroll(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), scrollRequest(LOWORD(wParam)),
                           static_cast<int16_t>(HIWORD(wParam)));
        return TRUE;
    case WM_COMMAND:
        if (!tuning) return FALSE;
        if (LOWORD(wParam) == IDC_TUNE_APPLY) tuning->apply();
        else if (LOWORD(wParam) == IDC_TUNE_CLOSE) tuning->close();  // the button or Escape
        return TRUE;
    case WM_DRAWITEM:
        if (wParam != IDC_TUNE_SWATCH) return FALSE;
        drawSwatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_APP_RESET_SLIDERS: slidersToZero(); return TRUE;
    case WM_DESTROY: dialog_ = nullptr; return FALSE;
    default: return FALSE;
    }
}

void Win32TuningDialog::slidersToZero() {
    for (const SliderBinding& slider : kTuningSliders) {
        HWND bar = GetDlgItem(dialog_, slider.sliderId);
        SetScrollRange(bar, SB_CTL, -kTuningSliderLimit, kTuningSliderLimit, FALSE);
        SetScrollPos(bar, SB_CTL, 0, FALSE);
        InvalidateRect(bar, nullptr, TRUE);
        UpdateWindow(bar);
        SetDlgItemTextA(dialog_, slider.textId, sliderText(0).c_str());
    }
}

void Win32TuningDialog::drawSwatch(const DRAWITEMSTRUCT& item) {
    TuningDialog* tuning = model_.tuningDialog();
    if (!tuning) return;
    const Rgb8 colour = tuning->swatchColor();
    HBRUSH brush = CreateSolidBrush(RGB(colour.red, colour.green, colour.blue));
    HGDIOBJ oldBrush = SelectObject(item.hDC, brush);
    HGDIOBJ oldPen = SelectObject(item.hDC, GetStockObject(BLACK_PEN));
    const RECT& r = item.rcItem;
    Rectangle(item.hDC, r.left, r.top, r.right, r.bottom);
    SelectObject(item.hDC, oldPen);
    SelectObject(item.hDC, oldBrush);
    DeleteObject(brush);
}

} // namespace velokrom
