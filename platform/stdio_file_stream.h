#pragma once
// An open file as the services hand it out: buffered binary I/O through the C runtime. Each
// platform opens the FILE its own way (by a UTF-8 or a wide-character name) and wraps it here.
#include <cstdio>

#include "platform_services.h"

namespace velokrom {

class StdioFileStream final : public FileStream {
public:
    explicit StdioFileStream(std::FILE* file) : file_(file) {}
    ~StdioFileStream() override { close(); }
    StdioFileStream(const StdioFileStream&) = delete;
    StdioFileStream& operator=(const StdioFileStream&) = delete;

    size_t read(void* buffer, size_t size) override { return file_ ? std::fread(buffer, 1, size, file_) : 0; }
    size_t write(const void* buffer, size_t size) override { return file_ ? std::fwrite(buffer, 1, size, file_) : 0; }
    bool close() override {
        if (!file_) return true;
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        return closed;
    }

private:
    std::FILE* file_;
};

} // namespace velokrom
