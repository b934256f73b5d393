#include "main_window.h"

#include "command_table.h"
#include "ui_strings.h"

namespace velokrom {

bool MainWindow::progress(int32_t done, int32_t total) {
    return progressBar_.report(window_ ? window_->progressBar() : progressBeforeWindow(), done, total);
}

void MainWindow::attachWindow(WindowServices& window, DragTrailMask trailMask) {
    window_ = &window;
    zoomMode = 0;
    view_.emplace(static_cast<KeyerEngine&>(*this), static_cast<DisplayOwner&>(*this), window, trailMask);
    view_->centreOn(0, 0);
    tuning_.emplace(static_cast<KeyerEngine&>(*this), window.tuningDialogView());
}

void MainWindow::windowBuilt() {
    CommandStateSink& states = window_->commandStates();
    checkGroupChoice(states, IDM_AUTO_SETUP, 4, keyOperation);
    checkGroupChoice(states, IDM_VIEW_COMPOSITE, 4, viewMode);
    updateSampleCommands(keyReady);
    updateHistoryCommands();
    updateMarkCommand();
    updateBlendChecks();
    updateMatteToAlphaCommand();
    onWindowCreated(*window_);
}

void MainWindow::windowShown() {
    view_->resized(false);
    view_->refresh(true);
    showStatus(0, false);
}

void MainWindow::windowClosed() {
    // The tuning dialog went with the window, without a cancel: the key keeps the sliders' last
    // settings, which an OK renders.
    tuning_.reset();
    zoomFactor = 1.0;
    view_.reset();
    window_ = nullptr;
    // A bar shown at the close went with the status bar: the next window makes its own.
    progressBar_ = ProgressBar();
}

// ---- commands

bool MainWindow::handleCommand(int32_t id, WindowHandle control, int32_t notificationCode) {
    const Command command = commandFor(id);
    if (command.action == CommandAction::Unhandled)
        return window_ && onUnhandledCommand(*window_, id, control, notificationCode);
    if (!window_) return true;
    const int32_t argument = command.argument;
    switch (command.action) {
    case CommandAction::ChooseOperation:
        keyOperation = static_cast<KeyOperation>(argument);
        checkGroupChoice(window_->commandStates(), IDM_AUTO_SETUP, 4, argument);
        if (argument != kTuneColors) tuning_->close();  // as its Close button: unapplied tuning is discarded
        showStatus(0, false);
        break;
    case CommandAction::ChooseView:
        viewMode = static_cast<ViewMode>(argument);
        checkGroupChoice(window_->commandStates(), IDM_VIEW_COMPOSITE, 4, argument);
        view_->refresh(false);
        break;
    case CommandAction::Undo:
        if (undo()) refreshAfterKeyChange();
        break;
    case CommandAction::Redo:
        if (redo()) refreshAfterKeyChange();
        break;
    case CommandAction::Reset:
        window_->beep();
        if (window_->askYesNo(uiString(IDS_ASK_RESET_CAPTION), uiString(IDS_ASK_RESET)) && resetToInitial())
            refreshAfterKeyChange();
        break;
    case CommandAction::LoadSettings:
        if (loadSettingsCommand()) {
            refreshAfterKeyChange();
            if (!keyReady) updateSampleCommands(true);
        }
        break;
    case CommandAction::SaveSettings: saveSettingsCommand(); break;
    case CommandAction::ToggleZoomMode: toggleZoomMode(); break;
    case CommandAction::DefaultSize:
        if (window_->displayExists()) view_->zoomAt(ZoomStep::DefaultSize, 0, 0);
        break;
    case CommandAction::EndRun: endRun(argument == 1); break;
    case CommandAction::Help: showHelp(); break;
    case CommandAction::About: showAbout(); break;
    case CommandAction::ChooseBlend: chooseBlend(static_cast<BlendMode>(argument)); break;
    case CommandAction::SelectColor: chooseSolidColor(); break;
    case CommandAction::MarkSettings:
        if (markSettings()) updateMarkCommand();
        break;
    case CommandAction::ReturnToMark:
        if (returnToMark()) refreshAfterKeyChange();
        break;
    case CommandAction::ToggleMatteToAlpha: toggleMatteToAlpha(); break;
    case CommandAction::Unhandled: break;
    }
    return true;
}

void MainWindow::endRun(bool ok) {
    endInteractive(ok);
    window_->endRun();
}

void MainWindow::toggleZoomMode() {
    const bool on = !zoomMode;
    showZoomMode(window_->commandStates(), on);
    zoomMode = on ? 1 : 0;
    if (!on) {
        window_->setCursor(CursorShape::Arrow);
    } else if (const std::optional<bool> alt = window_->altHeld()) {
        window_->setCursor(zoomCursor(*alt, zoomFactor));
    }
    showStatus(0, false);
}

void MainWindow::chooseBlend(BlendMode mode) {
    blendMode = mode;
    if (mode == kBlendDefocused && backgroundSource != kBackgroundNeutralGray) {
        WaitCursor wait(*window_);
        buildDefocusedBackground();
    }
    processImage(true, true);
    view_->refresh(false);
    updateBlendChecks();
}

void MainWindow::toggleMatteToAlpha() {
    if (writeMatteToAlpha) {
        writeMatteToAlpha = false;
    } else {
        window_->beep();
        if (window_->askYesNo(uiString(IDS_ASK_MATTE_TO_ALPHA_CAPTION), uiString(IDS_ASK_MATTE_TO_ALPHA)))
            writeMatteToAlpha = true;
    }
    updateMatteToAlphaCommand();
}

void MainWindow::chooseSolidColor() {
    if (velokrom::chooseSolidColor(*this, window_->colorChooser(), window_->mainWindow(), customColors))
        keyChangedElsewhere();
}

void MainWindow::refreshAfterKeyChange() {
    WaitCursor wait(*window_);
    view_->refresh(false);
    updateHistoryCommands();
}

void MainWindow::refreshIfKeyShown() {
    // The foreground and background views do not depend on the key.
    if (viewMode == kViewComposite || viewMode == kViewMatte) view_->refresh(false);
}

void MainWindow::keyChangedElsewhere() {
    if (!window_) return;
    WaitCursor wait(*window_);
    refreshIfKeyShown();
    updateHistoryCommands();
}

// ---- status texts

void MainWindow::showStatus(int32_t id, bool isHelp) {
    if (!window_) return;
    if (const char* text = uiString(statusStringId(id, isHelp, zoomMode != 0, keyOperation)))
        window_->setStatusText(text);
}

const char* MainWindow::tooltipText(int32_t commandId) {
    showStatus(commandId, true);
    return uiString(tooltipStringId(commandId));
}

void MainWindow::menuHover(const MenuHover& hover) {
    if (!window_) return;
    if (const char* text = uiString(menuHoverStringId(hover, zoomMode != 0, keyOperation))) window_->setStatusText(text);
}

bool MainWindow::altKey(bool down, int32_t x, int32_t y) {
    if (!window_ || !view_ || !zoomMode || !view_->pixelAt(x, y).onImage) return false;
    window_->setCursor(zoomCursor(down, zoomFactor));
    return true;
}

// ---- state rules

void MainWindow::updateSampleCommands(bool enabled) {
    keyReady = enabled;
    if (window_) velokrom::updateSampleCommands(window_->commandStates(), enabled);
}

void MainWindow::updateHistoryCommands() {
    const HistorySnapshot* current = history().current();
    if (window_)
        velokrom::updateHistoryCommands(window_->commandStates(), current && current->previous,
                                        current && current->next);
}

void MainWindow::updateMarkCommand() {
    if (window_) velokrom::updateMarkCommand(window_->commandStates(), history().marked() != nullptr);
}

void MainWindow::updateBlendChecks() {
    if (window_) velokrom::updateBlendChecks(window_->commandStates(), blendMode);
}

void MainWindow::updateMatteToAlphaCommand() {
    if (window_) velokrom::updateMatteToAlphaCommand(window_->commandStates(), hasAlphaPlane, writeMatteToAlpha);
}

// ---- the display buffer and the drag's end

int16_t MainWindow::zoomStep(double factor, int32_t column, int32_t row) {
    return applyZoomStep(*this, display, factor, column, row);
}

void MainWindow::renderView() { renderDisplayBuffer(*this, display, viewMode); }

int16_t MainWindow::paintRegion(const DisplayRect& sourceRect, const DisplayRect& destRect, void* deviceContext) {
    return displayRegion(sourceRect, destRect, deviceContext);
}

void MainWindow::openTuningDialog() {
    if (tuning_) tuning_->tuningDragEnded();
}

void MainWindow::dragEnded() {
    if (keyOperation == kTuneColors) {
        openTuningDialog();
        return;
    }
    updateHistoryCommands();
    refreshIfKeyShown();
    if (!keyReady) updateSampleCommands(true);
}

} // namespace velokrom
