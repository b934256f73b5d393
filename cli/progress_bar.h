#pragma once
#include <cstdint>
#include <ostream>

namespace velokrom::cli {

// A one-line bar redrawn in place ("\r"), finished with a newline.
class ProgressBar {
public:
    ProgressBar(std::ostream& out, int32_t total, bool shown) : out_(out), total_(total), shown_(shown) {}
    void update(int32_t done);  // done of total, 0 .. total
    void finish();

private:
    std::ostream& out_;
    int32_t total_;
    bool shown_;
};

} // namespace velokrom::cli
