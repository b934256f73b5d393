#include "filter_plugin.h"

#include <cstdlib>

#include "host/parameter_block.h"
#include "host/show_message.h"
#include "platform/string_table.h"
#include "ui/help_launcher.h"
#include "ui/settings_commands.h"

namespace velokrom {
namespace {

WindowHandle windowBehind(const void* platformData) {
    return platformData ? reinterpret_cast<WindowHandle>(static_cast<const PlatformData*>(platformData)->hwnd)
                        : nullptr;
}

} // namespace

void showAboutBox(PlatformServices& platform, WindowHandle owner) {
    platform.messageBox(owner, MessageIcon::Information, MessageButtons::Ok, platform.loadString(IDS_CAPTION),
                        platform.loadString(IDS_ABOUT_TEXT));
}

FilterPlugin::FilterPlugin(CallContext& context, PluginEnvironment& environment)
    : HostImageAccess(context, environment.platform), environment_(environment) {
    hostWindow = windowBehind(record().platformData);
    rowPassThreads = environment.rowPassThreads;
    rowPassCacheBytes = environment.rowPassCacheBytes;
    const ScreenSize screen = platform_.screenSize();
    display.screenWidth = screen.width;
    display.screenHeight = screen.height;
    // The drag trail: one bit per screen pixel.
    dragTrailBits = static_cast<uint8_t*>(std::calloc(DragTrailMask::bytesFor(screen.width, screen.height), 1));
    if (!dragTrailBits) result() = 1;
}

FilterPlugin::~FilterPlugin() { std::free(dragTrailBits); }

bool FilterPlugin::progress(int32_t done, int32_t total) {
    if (hasParameterBlock() && parameterBlock().startDialogPending()) return MainWindow::progress(done, total);
    return HostImageAccess::progress(done, total);
}

void FilterPlugin::showAbout() { showAboutBox(platform_, hostWindow); }

void FilterPlugin::showHelp() { launchHelp(platform_, mainWindow); }

bool FilterPlugin::loadSettingsCommand() {
    return velokrom::loadSettingsCommand(*this, platform_, environment_.dialogs, mainWindow);
}

void FilterPlugin::saveSettingsCommand() { velokrom::saveSettingsCommand(platform_, environment_.dialogs, mainWindow); }

bool FilterPlugin::runStartDialog(StartChoice& choice) {
    choice = presetStartChoice(backgroundFileExists());
    return environment_.dialogs.runStartDialog(hostWindow, choice);
}

void FilterPlugin::runInteractive() {
    result() = 1;
    environment_.dialogs.runModalHost(hostWindow, *this);
}

void FilterPlugin::runStartChoice() {
    StartChoice choice = kSaveAsBackground;
    for (;;) {
        if (!runStartDialog(choice)) {
            result() = 1;
            return;
        }
        if (choice != kSaveAsBackground || !backgroundFileExists()) break;
        const MessageAnswer overwrite =
            platform_.messageBox(hostWindow, MessageIcon::Exclamation, MessageButtons::YesNo,
                                 platform_.loadString(IDS_CAPTION), platform_.loadString(IDS_ASK_OVERWRITE));
        if (overwrite == MessageAnswer::Yes) break;
    }
    switch (choice) {
    case kSaveAsBackground:
        if (saveBackground())
            platform_.messageBox(hostWindow, MessageIcon::Information, MessageButtons::Ok,
                                 platform_.loadString(IDS_CAPTION), platform_.loadString(IDS_BACKGROUND_SAVED));
        else
            showMessage(kMessageSaveFailed);
        result() = 1;  // the host leaves the image as it was
        return;
    case kOverSavedBackground: backgroundSource = kBackgroundSaved; break;
    case kOverNeutralGray: backgroundSource = kBackgroundNeutralGray; break;
    default: result() = 1; return;
    }
    if (prepareRun()) runInteractive();
    finishRun();
}

bool FilterPlugin::passesStartChecks() {
    const FilterRecord& r = record();
    if (!hasParameterBlock() || !parameterBlock().isOurs() || !r.advanceState) {
        result() = 1;
        return false;
    }
    if (r.imageMode != plugInModeRGBColor) {
        showMessage(kMessageRgbOnly);
        result() = 1;
        return false;
    }
    switch (checkRecordShape(r)) {
    case RecordShape::Usable: return true;
    case RecordShape::TooLarge: showMessage(kMessageNoMemory); break;
    case RecordShape::Unusable: break;
    }
    result() = 1;
    return false;
}

void FilterPlugin::renderPass() {
    if (prepareRun()) {
        // A pass the host aborted leaves a half-made composite: the host must not apply it.
        if (passCompleted())
            writeAlphaPlane();
        else
            result() = 1;
    }
    finishRun();
}

void FilterPlugin::runStart() {
    locateBackgroundFile();
    if (result() != noErr || !passesStartChecks()) return;
    ParameterBlock block = parameterBlock();
    if (block.startDialogPending()) {
        if (!record().displayPixels) {
            showMessage(kMessageHostTooOld);
            result() = 1;
            return;
        }
        runStartChoice();
        block.setStartDialogPending(false);
    }
    if (result() == noErr) renderPass();
}

} // namespace velokrom
