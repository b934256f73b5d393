#pragma once
#include <cstdint>
#include <string>

namespace velokrom::cli {

// A file name that may hold one printf-style frame number: %d, %4d or %04d ("%%" is a percent
// sign). A name without one names the same file for every frame.
class FramePattern {
public:
    // Throws CliError for a malformed or second placeholder.
    explicit FramePattern(std::string text);

    bool hasFrame() const { return width_ >= 0; }
    std::string name(int32_t frame) const;
    const std::string& text() const { return text_; }

private:
    std::string text_;
    std::string before_, after_;  // with "%%" already turned into "%"
    int width_ = -1;              // -1: no placeholder
    bool zeroPad_ = false;
};

struct FrameRange {
    int32_t first;
    int32_t last;
    int32_t count() const { return last - first + 1; }
};

// "A-B" with 0 <= A <= B, or a single frame "A"; throws CliError otherwise.
FrameRange parseFrameRange(const std::string& text);

} // namespace velokrom::cli
