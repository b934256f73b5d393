#pragma once

namespace velokrom::cli {

// libpng reports a damaged picture on the C library's standard error ("libpng error: Not enough
// image data") just before OpenImageIO hands the same reason to the keyer, which prints it in its
// one line: the user would read two. From this call on, lines that begin "libpng " are dropped;
// every other line written to C's stderr (the engine's own diagnostics) still reaches standard
// error. Nothing changes when the filter cannot be set up.
void dropLibpngMessages();

} // namespace velokrom::cli
