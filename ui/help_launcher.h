#pragma once
// The Help command: find the manual "VeloPCPS.pdf" in a "Zelvarn" folder at a drive root and a
// PDF reader, and start the reader with the manual's path. Every path is absolute: the search
// never touches the process's current directory, which the host's other threads share.
#include <cstddef>
#include <string>

#include "platform/platform_services.h"

namespace velokrom {

// The drives searched: fixed, network and RAM disks; never removable, optical or unknown ones.
bool isSearchedDrive(DriveType type);

// The state of one search.
struct SearchContext {
    std::string pattern;       // the file name looked for, compared ignoring ASCII case
    bool recursive = false;    // also search every subfolder
    size_t bufferSize = 0;     // a find whose folder + name + 2 is not below this does not count
    bool found = false;
    std::string directory;     // the folder being searched; when found, the folder holding the entry
    std::string entryName;     // when found, the entry's name as the folder spells it
};

// Searches context.directory (and, when recursive, its subfolders depth-first in the system's
// order, a folder's own entries first) for a file named context.pattern. Folders are never a
// find; folders whose names begin with "." and links to folders are never entered.
void findInCurrentDirectory(PlatformServices& platform, SearchContext& context);

// Looks for name under root; on success result holds the full path (shorter than bufferSize
// characters with its NUL).
bool findFile(PlatformServices& platform, const std::string& root, const std::string& name, bool recursive,
              std::string& result, size_t bufferSize);

// The whole Help command; every outcome other than a started viewer is told in a message box
// owned by owner.
void launchHelp(PlatformServices& platform, WindowHandle owner);

} // namespace velokrom
