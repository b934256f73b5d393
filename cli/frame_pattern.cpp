#include "frame_pattern.h"

#include <limits>

#include "arguments.h"
#include "cli_error.h"

namespace velokrom::cli {

FramePattern::FramePattern(std::string text) : text_(std::move(text)) {
    std::string* part = &before_;
    for (size_t i = 0; i < text_.size(); ++i) {
        if (text_[i] != '%') {
            *part += text_[i];
            continue;
        }
        if (i + 1 < text_.size() && text_[i + 1] == '%') {
            *part += '%';
            ++i;
            continue;
        }
        size_t j = i + 1;
        const bool zero = j < text_.size() && text_[j] == '0';
        while (j < text_.size() && text_[j] >= '0' && text_[j] <= '9') ++j;
        if (j >= text_.size() || text_[j] != 'd' || j - i > 4)
            throw CliError("'" + text_ + "': a frame number is written %d, %4d or %04d (a percent sign as %%)");
        if (width_ >= 0) throw CliError("'" + text_ + "' holds more than one frame number");
        width_ = j == i + 1 ? 0 : std::stoi(text_.substr(i + 1, j - i - 1));
        zeroPad_ = zero;
        part = &after_;
        i = j;
    }
}

std::string FramePattern::name(int32_t frame) const {
    if (!hasFrame()) return before_;
    std::string digits = std::to_string(frame);
    if (digits.size() < static_cast<size_t>(width_))
        digits.insert(0, static_cast<size_t>(width_) - digits.size(), zeroPad_ ? '0' : ' ');
    return before_ + digits + after_;
}

FrameRange parseFrameRange(const std::string& text) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max() - 1;
    const size_t dash = text.find('-');
    const int32_t first = parseInteger(text.substr(0, dash), 0, kMax, "--frames");
    const int32_t last = dash == std::string::npos ? first : parseInteger(text.substr(dash + 1), 0, kMax, "--frames");
    if (last < first) throw CliError("--frames: '" + text + "' ends before it begins");
    return {first, last};
}

} // namespace velokrom::cli
