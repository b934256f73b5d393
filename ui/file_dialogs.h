#pragma once
// The system's open and save dialogs, as the settings commands ask for them.
#include <cstddef>
#include <string>

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

} // namespace velokrom
