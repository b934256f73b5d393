#include "fingerprint_writer.h"

namespace velokrom::fingerprint {

FingerprintWriter::FingerprintWriter(const char* path) : file_(std::fopen(path, "wb")) {}

FingerprintWriter::~FingerprintWriter() { close(); }

void FingerprintWriter::put(const void* data, size_t size) {
    if (file_ && size > 0 && std::fwrite(data, 1, size, file_) != size) ok_ = false;
}

void FingerprintWriter::section(const std::string& tag, const void* data, size_t size) {
    const uint32_t tagLength = static_cast<uint32_t>(tag.size());
    const uint32_t n = static_cast<uint32_t>(size);
    const uint8_t header[8] = {
        static_cast<uint8_t>(tagLength), static_cast<uint8_t>(tagLength >> 8),
        static_cast<uint8_t>(tagLength >> 16), static_cast<uint8_t>(tagLength >> 24),
        static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n >> 16),
        static_cast<uint8_t>(n >> 24)};
    put(header, 4);
    put(tag.data(), tag.size());
    put(header + 4, 4);
    put(data, size);
}

bool FingerprintWriter::close() {
    if (!file_) return false;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    ok_ = ok_ && closed;
    return ok_;
}

} // namespace velokrom::fingerprint
