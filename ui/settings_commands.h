#pragma once
// Save Settings and Load Settings: the system's save and open dialogs with the settings files'
// filter, titles and extension, the name and folder used last, and the file itself through the
// platform's files. Paths are UTF-8 from the dialog to the file: the Windows dialog's UTF-16
// name is converted once and opened by its UTF-16 name again.
#include <cstddef>
#include <string>

#include "composite/keyer_engine.h"
#include "platform/platform_services.h"

namespace velokrom {

struct FileDialogRequest {
    bool save;                     // save: asks before replacing a file; open: folder and file must exist
    std::string title;
    std::string filter;            // description, NUL, pattern, NUL, ...: the list ends at an empty entry
    std::string defaultExtension;  // without its dot
    std::string initialFolder;
    std::string proposedName;
    size_t nameCapacity;           // characters, with the NUL
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Shows the dialog modally, owned by owner; false when the user cancelled.
    virtual bool choose(WindowHandle owner, const FileDialogRequest& request, std::string& path) = 0;
};

// The filter text with every "|" replaced by a NUL.
std::string dialogFilter(const std::string& barred);
// What both dialogs show: the string table's filter, title and extension, the remembered name
// and folder.
FileDialogRequest settingsDialogRequest(PlatformServices& platform, bool save);

// True when a file was written; a failure is told in a message box.
bool saveSettingsCommand(PlatformServices& platform, FileDialogs& dialogs, WindowHandle owner);
// True when a file was loaded: the key is the file's, the image recomposited with a history
// step (Undo returns to the key before). A refused file is told and changes nothing.
bool loadSettingsCommand(KeyerEngine& engine, PlatformServices& platform, FileDialogs& dialogs, WindowHandle owner);

} // namespace velokrom
