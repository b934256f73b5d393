#include "libpng_messages.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace velokrom::cli {
namespace {

// The stream is line buffered, so each call brings whole lines (libpng writes its message and
// its newline in two calls).
ssize_t writeUnlessLibpng(void*, const char* data, size_t size) {
    static constexpr char kPrefix[] = "libpng ";
    if (size >= sizeof kPrefix - 1 && std::memcmp(data, kPrefix, sizeof kPrefix - 1) == 0)
        return static_cast<ssize_t>(size);
    for (size_t done = 0; done < size;) {
        const ssize_t written = write(STDERR_FILENO, data + done, size - done);
        if (written <= 0) return done > 0 ? static_cast<ssize_t>(done) : -1;
        done += static_cast<size_t>(written);
    }
    return static_cast<ssize_t>(size);
}

} // namespace

void dropLibpngMessages() {
    const cookie_io_functions_t io{nullptr, writeUnlessLibpng, nullptr, nullptr};
    std::FILE* filtered = fopencookie(nullptr, "w", io);
    if (!filtered) return;
    static char buffer[4096];
    std::setvbuf(filtered, buffer, _IOLBF, sizeof buffer);
    // std::cerr keeps the stream it was made with; only C's stderr variable, which libpng and
    // the engine write to, moves.
    stderr = filtered;
}

} // namespace velokrom::cli
