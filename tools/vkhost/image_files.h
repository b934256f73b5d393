#pragma once
// The native vkhost's image files, through OpenImageIO.
#include <string>

#include "emulated_host.h"

namespace velokrom::vkhost {

// Reads an image as 8-bit planes: red, green, blue (grey repeated), and with withFourthPlane a
// fourth plane holding the file's alpha channel, or 255 where it has none. Deeper samples are
// rounded to 8 bits. Throws std::runtime_error on failure.
HostImage readHostImage(const std::string& path, bool withFourthPlane);
// Writes image (3 or 4 planes) through a temporary file put in place when complete.
// Throws on failure.
void writeHostImage(const std::string& path, const HostImage& image);

} // namespace velokrom::vkhost
