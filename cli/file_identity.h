#pragma once
#include <map>
#include <string>

namespace velokrom::cli {

// Throws CliError naming role unless path is an existing regular file (not a folder, a device
// or a pipe, which could block a read forever).
void requireFile(const std::string& path, const std::string& role);

// The files one command reads and writes, told apart by what they are rather than by how they
// are spelled: the same device and inode for a file that exists (hard links, symbolic links,
// "./a" and "a" alike), the same canonical path for one that does not exist yet.
class FileIdentities {
public:
    // role names the file in messages ("foreground", "composite").
    void addInput(const std::string& path, const std::string& role);
    // Throws CliError when the output is one of the inputs, the same file as another output, or
    // something other than a file (a folder, a device).
    void addOutput(const std::string& path, const std::string& role);

private:
    struct Named {
        std::string path, role;
    };
    std::map<std::string, Named> inputs_, outputs_;
};

} // namespace velokrom::cli
