#include "progress_bar.h"

#include <string>

namespace velokrom::cli {

void ProgressBar::update(int32_t done) {
    if (!shown_ || total_ <= 0) return;
    constexpr int kWidth = 40;
    const int filled = static_cast<int>(static_cast<int64_t>(done) * kWidth / total_);
    out_ << '\r' << '[' << std::string(static_cast<size_t>(filled), '#') << std::string(static_cast<size_t>(kWidth - filled), '.')
         << "] " << done << '/' << total_ << " frames" << std::flush;
}

void ProgressBar::finish() {
    if (shown_ && total_ > 0) out_ << '\n' << std::flush;
}

} // namespace velokrom::cli
