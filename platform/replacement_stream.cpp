#include "replacement_stream.h"

#include "platform/replacement_file.h"

namespace velokrom {
namespace {

class ReplacementFileStream final : public ReplacementStream {
public:
    explicit ReplacementFileStream(const std::string& target) : file_(target) {}
    bool opened() const { return file_.stream() != nullptr; }
    size_t read(void* buffer, size_t size) override {
        return file_.stream() ? std::fread(buffer, 1, size, file_.stream()) : 0;
    }
    size_t write(const void* buffer, size_t size) override { return file_.write(buffer, size) ? size : 0; }
    // Closing without commit() drops the replacement.
    bool close() override { return true; }
    bool commit() override { return file_.commit(); }
    std::string error() const override { return file_.error(); }

private:
    ReplacementFile file_;
};

} // namespace

std::unique_ptr<ReplacementStream> openReplacement(const std::string& target, std::string& reason) {
    auto stream = std::make_unique<ReplacementFileStream>(target);
    if (!stream->opened()) {
        reason = stream->error();
        return nullptr;
    }
    return stream;
}

} // namespace velokrom
