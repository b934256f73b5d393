#include "settings_commands.h"

#include <algorithm>

#include "engine/settings_file.h"
#include "platform/string_table.h"
#include "platform/wait_cursor.h"
#include "ui_strings.h"

namespace velokrom {
namespace {

constexpr char kSaveFailed[] = "Error on file save.";
constexpr char kLoadFailed[] = "Error on file load.\n\nThe file could not be read, or it is not a Velokrom settings file.";

void tellFailure(PlatformServices& platform, const char* text) {
    platform.messageBox(nullptr, MessageIcon::None, MessageButtons::Ok, platform.loadString(IDS_CAPTION), text);
}

} // namespace

std::string dialogFilter(const std::string& barred) {
    std::string filter = barred;
    std::replace(filter.begin(), filter.end(), '|', '\0');
    return filter;
}

FileDialogRequest settingsDialogRequest(bool save) {
    const SettingsLocation& last = settingsLocation();
    std::string extension = uiString(IDS_SETTINGS_EXTENSION);
    if (!extension.empty() && extension[0] == '.') extension.erase(0, 1);
    return {save,
            uiString(save ? IDS_SETTINGS_SAVE_TITLE : IDS_SETTINGS_LOAD_TITLE),
            dialogFilter(uiString(IDS_SETTINGS_FILTER)),
            extension,
            last.lastSettingsDir,
            last.lastSettingsFile,
            kSettingsPathCapacity};
}

bool saveSettingsCommand(PlatformServices& platform, FileDialogs& dialogs, WindowHandle owner) {
    std::string path;
    if (!dialogs.choose(owner, settingsDialogRequest(true), path)) return false;
    bool saved = false;
    {
        WaitCursor wait(platform);
        saved = settingsSavePath(path) && writeSettingsFile(platform, path);
    }
    if (!saved) {
        tellFailure(platform, kSaveFailed);
        return false;
    }
    settingsLocation().remember(path);
    return true;
}

bool loadSettingsCommand(KeyerEngine& engine, PlatformServices& platform, FileDialogs& dialogs, WindowHandle owner) {
    std::string path;
    if (!dialogs.choose(owner, settingsDialogRequest(false), path)) return false;
    bool loaded = false;
    {
        WaitCursor wait(platform);
        loaded = engine.readSettingsFile(platform, path);
    }
    if (!loaded) {
        tellFailure(platform, kLoadFailed);
        return false;
    }
    settingsLocation().remember(path);
    return true;
}

} // namespace velokrom
