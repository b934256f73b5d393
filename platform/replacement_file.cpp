#include "replacement_file.h"

#include "replacement_file_system.h"

namespace velokrom {
namespace {

// Attempts at a fresh name before giving up: each run numbers its own temporaries.
constexpr int kNameAttempts = 100;

struct SplitPath {
    std::string folder;  // with its trailing separator, empty for the current folder
    std::string name;
};

SplitPath splitPath(const std::string& path) {
    const size_t cut = path.find_last_of(replacement::pathSeparators());
    if (cut == std::string::npos) return {"", path};
    return {path.substr(0, cut + 1), path.substr(cut + 1)};
}

// Temporaries of one target share this name prefix: hidden, and recognisable by the next run.
std::string temporaryPrefix(const SplitPath& target) { return "." + target.name + ".vktmp-"; }

} // namespace

ReplacementFile::ReplacementFile(const std::string& target) : target_(target) {
    error_ = nonFileReason(target);
    if (!error_.empty() || target.empty()) {
        if (error_.empty()) error_ = "no file name";
        return;
    }
    const SplitPath split = splitPath(target);
    replacement::removeStale(split.folder, temporaryPrefix(split));
    const std::string stem = split.folder + temporaryPrefix(split) + std::to_string(replacement::processId()) + "-";
    for (int attempt = 0; attempt < kNameAttempts && !stream_; ++attempt) {
        bool nameTaken = false;
        temporary_ = stem + std::to_string(attempt);
        stream_ = replacement::createExclusive(temporary_, target, nameTaken, error_);
        if (!stream_ && !nameTaken) break;
    }
    if (stream_) error_.clear();
    else temporary_.clear();
}

ReplacementFile::~ReplacementFile() { discard(); }

void ReplacementFile::discard() {
    if (stream_) std::fclose(stream_);
    stream_ = nullptr;
    if (!temporary_.empty()) replacement::removePath(temporary_);
    temporary_.clear();
}

bool ReplacementFile::write(const void* data, size_t size) {
    if (!stream_) return false;
    if (std::fwrite(data, 1, size, stream_) == size) return true;
    error_ = replacement::lastError();
    return false;
}

bool ReplacementFile::commit() {
    if (!stream_) return false;
    const bool flushed = std::fflush(stream_) == 0 && replacement::flushToDisk(stream_);
    if (!flushed) error_ = replacement::lastError();
    const bool closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    if (flushed && !closed) error_ = replacement::lastError();
    if (!flushed || !closed || !replacement::renameOver(temporary_, target_, error_)) {
        discard();
        return false;
    }
    temporary_.clear();
    return true;
}

} // namespace velokrom
