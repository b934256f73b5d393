#include "image_files.h"

#include <OpenImageIO/imageio.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include "image_io/image_file.h"

namespace velokrom::vkhost {

namespace {

// The alpha channel (or, in a four-channel file without one named, the fourth channel) into the
// fourth plane; 255 stays where the file has none.
void readAlphaPlane(const std::string& path, HostImage& image) {
    auto in = OIIO::ImageInput::open(path);
    if (!in) throw std::runtime_error("cannot read '" + path + "'");
    const OIIO::ImageSpec& spec = in->spec();
    const int alpha = spec.alpha_channel >= 0 ? spec.alpha_channel : (spec.nchannels == 4 ? 3 : -1);
    if (alpha < 0) return;
    std::vector<float> row(static_cast<size_t>(image.width));
    for (int32_t y = 0; y < image.height; ++y) {
        if (!in->read_scanlines(0, 0, spec.y + y, spec.y + y + 1, 0, alpha, alpha + 1, OIIO::TypeDesc::FLOAT,
                                row.data()) ||
            in->has_error())
            throw std::runtime_error("cannot read '" + path + "': " + in->geterror());
        for (int32_t x = 0; x < image.width; ++x) image.at(y, x)[3] = floatTo8Bits(row[static_cast<size_t>(x)]);
    }
}

} // namespace

HostImage readHostImage(const std::string& path, bool withFourthPlane) {
    // The colour planes as the keyer reads them: the same depths, size limit and damage checks.
    RgbRowReader rgb(path, "image");
    const ImageSize size = rgb.size();
    // Host images have 16-bit sizes.
    if (size.width > 32767 || size.height > 32767)
        throw std::runtime_error("'" + path + "' is not an image a host could hold");
    HostImage image(size.width, size.height, withFourthPlane ? 4 : 3, 255);
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t* row = rgb.row(y);
        for (int32_t x = 0; x < image.width; ++x) std::memcpy(image.at(y, x), row + 3 * static_cast<size_t>(x), 3);
    }
    if (withFourthPlane) readAlphaPlane(path, image);
    return image;
}

void writeHostImage(const std::string& path, const HostImage& image) {
    const size_t rowBytes = static_cast<size_t>(image.width) * static_cast<size_t>(image.planes);
    PendingImage file(path, ImageSize{image.width, image.height}, image.planes,
                      [&](int32_t row) { return image.pixels.data() + static_cast<size_t>(row) * rowBytes; });
    file.commit();
}

} // namespace velokrom::vkhost
