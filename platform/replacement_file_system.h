#pragma once
// What ReplacementFile needs of the file system: one implementation per system
// (replacement_file_posix.cpp, replacement_file_win32.cpp).
#include <cstdio>
#include <string>

namespace velokrom::replacement {

// The characters that end a path's folder part.
const char* pathSeparators();
// Removes the files in folder (empty: the current folder) whose names begin with prefix and that
// no running writer holds: temporaries that killed runs left behind.
void removeStale(const std::string& folder, const std::string& prefix);
// Creates path for reading and writing, exclusively and never through a link, with the
// permissions target has (when it exists). Null on failure, with nameTaken telling a name
// already in use from other failures and error the reason.
std::FILE* createExclusive(const std::string& path, const std::string& target, bool& nameTaken, std::string& error);
// The written data on the disk, as far as the system can tell.
bool flushToDisk(std::FILE* stream);
// Replaces target by source in one step.
bool renameOver(const std::string& source, const std::string& target, std::string& error);
void removePath(const std::string& path);
unsigned long processId();
// The reason for the last failed call, in a few lower-case words.
std::string lastError();

} // namespace velokrom::replacement
