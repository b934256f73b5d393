#pragma once
// Save Settings and Load Settings: the system's save and open dialogs with the settings files'
// filter, titles and extension, the name and folder used last, and the file itself through the
// platform's files. Paths are UTF-8 from the dialog to the file: the Windows dialog's UTF-16
// name is converted once and opened by its UTF-16 name again.
#include <string>

#include "composite/keyer_engine.h"
#include "file_dialogs.h"
#include "platform/platform_services.h"

namespace velokrom {

// The filter text with every "|" replaced by a NUL.
std::string dialogFilter(const std::string& barred);
// What both dialogs show: the filter, title and extension of the string list, the remembered name
// and folder.
FileDialogRequest settingsDialogRequest(bool save);

// True when a file was written; a failure is told in a message box.
bool saveSettingsCommand(PlatformServices& platform, FileDialogs& dialogs, WindowHandle owner);
// True when a file was loaded: the key is the file's, the image recomposited with a history
// step (Undo returns to the key before). A refused file is told and changes nothing.
bool loadSettingsCommand(KeyerEngine& engine, PlatformServices& platform, FileDialogs& dialogs, WindowHandle owner);

} // namespace velokrom
