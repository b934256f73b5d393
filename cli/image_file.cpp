#include "image_file.h"

#include <OpenImageIO/imageio.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "cli_error.h"

namespace velokrom::cli {
namespace {

namespace oiio = OIIO;

// OpenImageIO's messages can run over several lines; the first one says what went wrong.
std::string firstLine(std::string message) {
    const size_t end = message.find('\n');
    if (end != std::string::npos) message.resize(end);
    return message.empty() ? "unknown error" : message;
}

std::unique_ptr<oiio::ImageInput> openInput(const std::string& path, const std::string& role) {
    if (!std::filesystem::is_regular_file(path))
        throw CliError("cannot read " + role + " '" + path + "': no such file");
    // Colour as stored: readers must not premultiply it by an alpha channel we ignore anyway.
    oiio::ImageSpec config;
    config.attribute("oiio:UnassociatedAlpha", 1);
    auto in = oiio::ImageInput::open(path, &config);
    if (!in) throw CliError("cannot read " + role + " '" + path + "': " + firstLine(oiio::geterror()));
    const oiio::ImageSpec& spec = in->spec();
    if (spec.width <= 0 || spec.height <= 0 || spec.depth > 1 || spec.nchannels < 1)
        throw CliError("cannot read " + role + " '" + path + "': not a two-dimensional image");
    return in;
}

// Samples of one chunk of rows (channels 0 .. channels - 1 only) into 8-bit RGB rows.
template <typename Sample, typename Reduce>
void toRgb(const Sample* samples, int channels, size_t pixels, uint8_t* rgb, Reduce reduce) {
    for (size_t i = 0; i < pixels; ++i, samples += channels, rgb += 3)
        for (int c = 0; c < 3; ++c) rgb[c] = reduce(samples[channels == 3 ? c : 0]);
}

} // namespace

ImageSize probeImage(const std::string& path, const std::string& role) {
    auto in = openInput(path, role);
    return {in->spec().width, in->spec().height};
}

RgbImage readRgbImage(const std::string& path, const std::string& role) {
    auto in = openInput(path, role);
    const oiio::ImageSpec& spec = in->spec();
    const int channels = spec.nchannels >= 3 ? 3 : 1;  // alpha and extra channels are ignored
    const bool eightBit = spec.format == oiio::TypeDesc::UINT8;
    const oiio::TypeDesc readAs = eightBit ? oiio::TypeDesc::UINT8 : oiio::TypeDesc::UINT16;
    RgbImage image(spec.width, spec.height);

    // A chunk of rows at a time keeps the reading buffer small whatever the image's size.
    constexpr int kChunkRows = 64;
    const size_t rowSamples = static_cast<size_t>(spec.width) * static_cast<size_t>(channels);
    std::vector<uint8_t> chunk(rowSamples * kChunkRows * readAs.size());
    for (int y = 0; y < spec.height; y += kChunkRows) {
        const int end = std::min(spec.height, y + kChunkRows);
        if (!in->read_scanlines(0, 0, spec.y + y, spec.y + end, 0, 0, channels, readAs, chunk.data()))
            throw CliError("cannot read " + role + " '" + path + "': " + firstLine(in->geterror()));
        const size_t pixels = static_cast<size_t>(spec.width) * static_cast<size_t>(end - y);
        uint8_t* rgb = image.at(y, 0);
        if (eightBit)
            toRgb(chunk.data(), channels, pixels, rgb, [](uint8_t v) { return v; });
        else
            toRgb(reinterpret_cast<const uint16_t*>(chunk.data()), channels, pixels, rgb, reduceTo8Bits);
    }
    return image;
}

void checkWritable(const std::string& path, int channels, const std::string& role) {
    auto out = oiio::ImageOutput::create(path);
    if (!out) throw CliError("cannot write " + role + " '" + path + "': " + firstLine(oiio::geterror()));
    if (channels == 4 && !out->supports("alpha"))
        throw CliError("cannot write " + role + " '" + path + "': the " + out->format_name() +
                       " format has no alpha channel");
}

PendingImage::PendingImage(const std::string& path, ImageSize size, int channels,
                           const std::function<const uint8_t*(int32_t)>& row)
    : path_(path) {
    // The format comes from the target's name; the data goes to a hidden name beside it.
    const std::filesystem::path target(path);
    temporary_ = (target.parent_path() / ("." + target.filename().string() + ".partial-" + std::to_string(getpid())))
                     .string();
    auto out = oiio::ImageOutput::create(path);
    if (!out) throw CliError("cannot write '" + path + "': " + firstLine(oiio::geterror()));
    oiio::ImageSpec spec(size.width, size.height, channels, oiio::TypeDesc::UINT8);
    // The alpha channel is the matte beside an unchanged composite, not a premultiplied colour.
    if (channels == 4) spec.attribute("oiio:UnassociatedAlpha", 1);
    // zlib level 4 instead of 6: a 6000 x 4000 PNG is written three times as fast and only
    // about 4% larger.
    spec.attribute("png:compressionLevel", 4);
    if (!out->open(temporary_, spec)) {
        const std::string reason = firstLine(out->geterror());
        std::remove(temporary_.c_str());
        throw CliError("cannot write '" + path + "': " + reason);
    }
    bool written = true;
    for (int32_t y = 0; y < size.height && written; ++y) written = out->write_scanline(y, 0, oiio::TypeDesc::UINT8, row(y));
    written = out->close() && written;
    if (!written) {
        const std::string reason = firstLine(out->geterror());
        std::remove(temporary_.c_str());
        throw CliError("cannot write '" + path + "': " + reason);
    }
}

PendingImage::PendingImage(PendingImage&& other) noexcept
    : path_(std::move(other.path_)), temporary_(std::move(other.temporary_)) {
    other.temporary_.clear();
}

PendingImage::~PendingImage() {
    if (!temporary_.empty()) std::remove(temporary_.c_str());
}

void PendingImage::commit() {
    std::error_code error;
    std::filesystem::rename(temporary_, path_, error);
    if (error) throw CliError("cannot write '" + path_ + "': " + error.message());
    temporary_.clear();
}

} // namespace velokrom::cli
