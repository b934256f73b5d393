#include "image_files.h"

#include <OpenImageIO/imageio.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "image_io/image_file.h"

namespace velokrom::vkhost {

HostImage readHostImage(const std::string& path, bool withFourthPlane) {
    auto in = OIIO::ImageInput::open(path);
    if (!in) throw std::runtime_error("cannot read '" + path + "'");
    const OIIO::ImageSpec& spec = in->spec();
    // Host images have 16-bit sizes.
    if (spec.width <= 0 || spec.height <= 0 || spec.width > 32767 || spec.height > 32767 || spec.nchannels < 1)
        throw std::runtime_error("'" + path + "' is not an image a host could hold");
    const size_t channels = static_cast<size_t>(spec.nchannels);
    std::vector<uint8_t> samples(static_cast<size_t>(spec.width) * static_cast<size_t>(spec.height) * channels);
    if (!in->read_image(0, 0, 0, spec.nchannels, OIIO::TypeDesc::UINT8, samples.data()))
        throw std::runtime_error("cannot read '" + path + "'");
    const int alpha = spec.alpha_channel >= 0 ? spec.alpha_channel : (spec.nchannels == 4 ? 3 : -1);
    HostImage image(spec.width, spec.height, withFourthPlane ? 4 : 3, 255);
    const uint8_t* sample = samples.data();
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x, sample += channels) {
            uint8_t* out = image.at(y, x);
            for (size_t c = 0; c < 3; ++c) out[c] = sample[channels >= 3 ? c : 0];
            if (withFourthPlane && alpha >= 0) out[3] = sample[alpha];
        }
    return image;
}

void writeHostImage(const std::string& path, const HostImage& image) {
    const size_t rowBytes = static_cast<size_t>(image.width) * static_cast<size_t>(image.planes);
    PendingImage file(path, ImageSize{image.width, image.height}, image.planes,
                      [&](int32_t row) { return image.pixels.data() + static_cast<size_t>(row) * rowBytes; });
    file.commit();
}

} // namespace velokrom::vkhost
