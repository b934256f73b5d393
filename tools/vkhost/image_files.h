#pragma once
// The native vkhost's image files, through OpenImageIO.
#include <cstdint>
#include <ostream>
#include <string>

#include "emulated_host.h"

namespace velokrom::vkhost {

// Reads an image as 8-bit planes: red, green, blue as RgbRowReader reads them (image_io), and
// with withFourthPlane a fourth plane holding the file's alpha channel, or 255 where it has none.
// Throws std::runtime_error on failure.
HostImage readHostImage(const std::string& path, bool withFourthPlane);
// Writes image (3 or 4 planes) through a temporary file put in place when complete.
// Throws on failure.
void writeHostImage(const std::string& path, const HostImage& image);

// Applies a session's result as a host does: the image is written only when the filter answered
// 0. Returns vkhost's exit status: 0 written, 1 left as it was.
inline int applyFilterResult(int16_t result, const std::string& out, const HostImage& image, std::ostream& report) {
    if (result != 0) {
        report << "the filter ended with " << result << ": the image is left as it was, nothing written\n";
        return 1;
    }
    writeHostImage(out, image);
    return 0;
}

} // namespace velokrom::vkhost
