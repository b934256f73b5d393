#pragma once
// The stand-in reader (record_arguments.exe, built beside the test programs) put where a test
// wants a program, the arguments it was started with, and a document type that opens with it.
// Paths are UTF-8.
#include <string>
#include <vector>

namespace velokrom::winetest {

// Copies the stand-in to path, making its folder if need be.
void installStandIn(const std::string& path);
// The arguments of the stand-in in folder, once it has written them (none after 20 seconds);
// the record goes, so that the next start writes a fresh one.
std::vector<std::string> recordedArguments(const std::string& folder);
// Deletes the stand-in once it has ended: a running program cannot be deleted.
bool removeStandIn(const std::string& path);
// Documents ending in extension open with the program at path, as an installed viewer
// registers itself; and that registration removed again.
void registerViewer(const std::string& extension, const std::string& path);
void unregisterViewer(const std::string& extension);

} // namespace velokrom::winetest
