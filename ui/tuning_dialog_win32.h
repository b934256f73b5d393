#pragma once
// TUNE_DLG, the modeless colour tuning dialog: its messages become calls of the main window's
// TuningDialog, and it carries out, as that dialog's view, what it is told.
#include <windows.h>

#include "main_window.h"

namespace velokrom {

class Win32TuningDialog final : public TuningDialogView {
public:
    Win32TuningDialog(MainWindow& model, HINSTANCE module) : model_(model), module_(module) {}
    // The display window: it owns the dialog and redraws after Apply.
    void setDisplay(HWND display) { display_ = display; }
    // The dialog while it exists, else null: the main loop hands it its keyboard messages.
    HWND handle() const { return dialog_; }

    bool create() override;
    void destroy() override;
    void showSliderPosition(int32_t sliderId, int32_t position) override;
    void showText(int32_t textId, const std::string& text) override;
    void resetSliders() override;
    void repaintSwatch() override;
    void refreshDisplay() override;

private:
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void slidersToZero();
    void drawSwatch(const DRAWITEMSTRUCT& item);

    MainWindow& model_;
    HINSTANCE module_;
    HWND display_ = nullptr;
    HWND dialog_ = nullptr;
};

} // namespace velokrom
