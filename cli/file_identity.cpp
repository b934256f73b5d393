#include "file_identity.h"

#include <sys/stat.h>

#include <filesystem>

#include "cli_error.h"
#include "image_io/image_file.h"
#include "platform/replacement_file.h"

namespace velokrom::cli {
namespace {

std::string identityOf(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) == 0)
        return "inode " + std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
    // Made absolute first: a relative name that does not exist yet ("o.png") would otherwise
    // stay relative while "./o.png" became absolute, and the two would not meet.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(absolute, error);
    return "path " + (error ? absolute.lexically_normal().string() : canonical.string());
}

} // namespace

void requireFile(const std::string& path, const std::string& role) {
    if (const std::string problem = inputFileProblem(path); !problem.empty())
        throw CliError("cannot read " + role + " '" + path + "': " + problem);
}

void FileIdentities::addInput(const std::string& path, const std::string& role) {
    if (!path.empty()) inputs_.emplace(identityOf(path), Named{path, role});
}

void FileIdentities::addOutput(const std::string& path, const std::string& role) {
    if (path.empty()) return;
    const std::string notAFile = nonFileReason(path);
    if (!notAFile.empty()) throw CliError("cannot write " + role + " '" + path + "': it " + notAFile);
    const std::string identity = identityOf(path);
    if (const auto input = inputs_.find(identity); input != inputs_.end())
        throw CliError("the " + role + " '" + path + "' would overwrite the " + input->second.role + " '" +
                       input->second.path + "'; choose another output name");
    if (const auto output = outputs_.find(identity); output != outputs_.end())
        throw CliError("the " + role + " '" + path + "' and the " + output->second.role + " '" + output->second.path +
                       "' are the same file; choose another output name");
    outputs_.emplace(identity, Named{path, role});
}

} // namespace velokrom::cli
