#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace velokrom::fingerprint {

// Writes tagged sections (a text tag, a 32-bit little-endian length, the bytes), so that a
// difference found by cmp can be traced to the step that made it.
class FingerprintWriter {
public:
    explicit FingerprintWriter(const char* path);
    ~FingerprintWriter();
    FingerprintWriter(const FingerprintWriter&) = delete;
    FingerprintWriter& operator=(const FingerprintWriter&) = delete;

    void section(const std::string& tag, const void* data, size_t size);
    // True when the file was opened and every write succeeded.
    bool ok() const { return file_ != nullptr && ok_; }
    // Closes the file; false if closing failed or any write failed.
    bool close();

private:
    void put(const void* data, size_t size);

    std::FILE* file_;
    bool ok_ = true;
};

} // namespace velokrom::fingerprint
