#pragma once
// A file that is written whole or not at all. The data goes to a fresh file beside the target,
// created exclusively (never over an existing name, never through a link planted under its
// name), and commit() renames it over the target, which until then stays as it was. A
// replacement dropped uncommitted is removed; one left by a killed run is removed by the next
// replacement of the same target. Paths are UTF-8.
#include <cstdio>
#include <string>

namespace velokrom {

class ReplacementFile {
public:
    // Creates the temporary; stream() is null when that fails, and error() says why. A target
    // that exists but is no regular file (a folder, a device) is refused.
    explicit ReplacementFile(const std::string& target);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Opened for reading and writing, positioned at the start.
    std::FILE* stream() const { return stream_; }
    // Writes size bytes to the stream; false, with error() set, when not all could be written.
    bool write(const void* data, size_t size);
    // Closes the data and puts it in place of the target, with the permissions the target had.
    // False, with error() set, leaves the target as it was and removes the temporary.
    bool commit();
    // Why the last step failed, in a few lower-case words ("permission denied").
    const std::string& error() const { return error_; }
    const std::string& temporaryPath() const { return temporary_; }

private:
    void discard();

    std::string target_;
    std::string temporary_;
    std::FILE* stream_ = nullptr;
    std::string error_;
};

// What keeps path from being written as a file: "is a folder", "is not a regular file", or
// empty when it is a regular file or does not exist yet.
std::string nonFileReason(const std::string& path);

} // namespace velokrom
