#include "image_file.h"

#include <OpenImageIO/filesystem.h>
#include <OpenImageIO/imageio.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/replacement_file.h"

namespace velokrom {
namespace {

namespace oiio = OIIO;

// OpenImageIO's messages can run over several lines; the first one says what went wrong.
std::string firstLine(std::string message) {
    const size_t end = message.find('\n');
    if (end != std::string::npos) message.resize(end);
    return message.empty() ? "unknown error" : message;
}

// Samples of one chunk of rows (channels 0 .. channels - 1 only) into 8-bit RGB rows.
template <typename Sample, typename Reduce>
void toRgb(const Sample* samples, int channels, size_t pixels, uint8_t* rgb, Reduce reduce) {
    for (size_t i = 0; i < pixels; ++i, samples += channels, rgb += 3)
        for (int c = 0; c < 3; ++c) rgb[c] = reduce(samples[channels == 3 ? c : 0]);
}

// Pixels read from the file at once (64 rows, fewer for very wide images): the buffers stay
// small whatever the image's size.
constexpr int32_t kChunkRows = 64;
constexpr int64_t kChunkPixels = 1 << 22;

// 12345678 as "12.3"
std::string megapixels(int64_t pixels) {
    const int64_t tenths = (pixels + 50'000) / 100'000;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

// What a format cannot hold that its writer would not refuse safely: libjpeg ends the whole
// process on a side over 65500 pixels, and OpenImageIO's WebP writer, refusing a grey image,
// frees memory it never allocated. Empty when the writer can be asked.
std::string formatRefusal(const std::string& format, ImageSize size, int channels) {
    constexpr int32_t kJpegMaxSide = 65500;
    if (format == "jpeg" && std::max(size.width, size.height) > kJpegMaxSide)
        return "a JPEG file holds at most " + std::to_string(kJpegMaxSide) + " pixels a side";
    if (format == "webp" && channels != 3 && channels != 4) return "a WebP file holds RGB or RGBA only";
    return {};
}

} // namespace

std::string inputFileProblem(const std::string& path) {
    if (const std::string notAFile = nonFileReason(path); !notAFile.empty()) return "it " + notAFile;
    // Without an error code, a name too long or a loop of links would throw out of the command.
    std::error_code error;
    if (std::filesystem::exists(path, error)) return {};
    if (!error) return "no such file";
    std::string reason = error.message();
    if (!reason.empty()) reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    return reason;
}

RgbRowReader::RgbRowReader(const std::string& path, const std::string& role, int64_t maxPixels)
    : path_(path), role_(role) {
    if (const std::string problem = inputFileProblem(path); !problem.empty())
        throw ImageFileError("cannot read " + role + " '" + path + "': " + problem);
    // Colour as stored: readers must not premultiply it by an alpha channel we ignore anyway.
    oiio::ImageSpec config;
    config.attribute("oiio:UnassociatedAlpha", 1);
    in_ = oiio::ImageInput::open(path, &config);
    if (!in_) throw ImageFileError("cannot read " + role + " '" + path + "': " + firstLine(oiio::geterror()));
    const oiio::ImageSpec& spec = in_->spec();
    if (spec.width <= 0 || spec.height <= 0 || spec.depth > 1 || spec.nchannels < 1)
        throw ImageFileError("cannot read " + role + " '" + path + "': not a two-dimensional image");
    const int64_t pixels = static_cast<int64_t>(spec.width) * spec.height;
    if (pixels > maxPixels)
        throw ImageFileError("cannot read " + role + " '" + path + "': its " + std::to_string(spec.width) + " x " +
                             std::to_string(spec.height) + " pixels (" + megapixels(pixels) +
                             " megapixels) are more than the limit of " + megapixels(maxPixels) + " megapixels");
    size_ = {spec.width, spec.height};
    channels_ = spec.nchannels >= 3 ? 3 : 1;  // alpha and extra channels are ignored
    if (spec.format == oiio::TypeDesc::UINT8) depth_ = Depth::Eight;
    else if (spec.format.is_floating_point()) depth_ = Depth::Float;
    else depth_ = Depth::Sixteen;
    chunkRows_ = static_cast<int32_t>(std::clamp<int64_t>(kChunkPixels / spec.width, 1, kChunkRows));
}

RgbRowReader::~RgbRowReader() = default;

void RgbRowReader::read(int32_t first, int32_t end, uint8_t* rgb) {
    const oiio::TypeDesc readAs = depth_ == Depth::Eight    ? oiio::TypeDesc::UINT8
                                  : depth_ == Depth::Float ? oiio::TypeDesc::FLOAT
                                                           : oiio::TypeDesc::UINT16;
    const size_t width = static_cast<size_t>(size_.width);
    samples_.resize(width * static_cast<size_t>(channels_) * static_cast<size_t>(chunkRows_) * readAs.size());
    const int32_t top = in_->spec().y;
    for (int32_t y = first; y < end; y += chunkRows_) {
        const int32_t chunkEnd = std::min(end, y + chunkRows_);
        // Some readers report a strip cut short only through the error state, not the result.
        if (!in_->read_scanlines(0, 0, top + y, top + chunkEnd, 0, 0, channels_, readAs, samples_.data()) ||
            in_->has_error())
            throw ImageFileError("cannot read " + role_ + " '" + path_ + "': " + firstLine(in_->geterror()));
        const size_t pixels = width * static_cast<size_t>(chunkEnd - y);
        uint8_t* out = rgb + width * 3 * static_cast<size_t>(y - first);
        if (depth_ == Depth::Eight)
            toRgb(samples_.data(), channels_, pixels, out, [](uint8_t v) { return v; });
        else if (depth_ == Depth::Float)
            toRgb(reinterpret_cast<const float*>(samples_.data()), channels_, pixels, out, floatTo8Bits);
        else
            toRgb(reinterpret_cast<const uint16_t*>(samples_.data()), channels_, pixels, out, reduceTo8Bits);
    }
}

uint8_t* RgbRowReader::row(int32_t y) {
    const size_t rowBytes = static_cast<size_t>(size_.width) * 3;
    if (y < rowsFirst_ || y >= rowsEnd_) {
        rows_.resize(rowBytes * static_cast<size_t>(chunkRows_));
        rowsFirst_ = rowsEnd_ = 0;  // no rows cached should the read fail
        const int32_t end = std::min(size_.height, y + chunkRows_);
        read(y, end, rows_.data());
        rowsFirst_ = y;
        rowsEnd_ = end;
    }
    return rows_.data() + rowBytes * static_cast<size_t>(y - rowsFirst_);
}

ImageSize probeImage(const std::string& path, const std::string& role, int64_t maxPixels) {
    return RgbRowReader(path, role, maxPixels).size();
}

RgbImage readRgbImage(const std::string& path, const std::string& role, int64_t maxPixels) {
    RgbRowReader reader(path, role, maxPixels);
    RgbImage image(reader.size().width, reader.size().height);
    reader.read(0, image.height, image.pixels.data());
    return image;
}

void checkWritable(const std::string& path, int channels, const std::string& role) {
    if (const std::string notAFile = nonFileReason(path); !notAFile.empty())
        throw ImageFileError("cannot write " + role + " '" + path + "': it " + notAFile);
    auto out = oiio::ImageOutput::create(path);
    if (!out) throw ImageFileError("cannot write " + role + " '" + path + "': " + firstLine(oiio::geterror()));
    if (channels == 4 && !out->supports("alpha"))
        throw ImageFileError("cannot write " + role + " '" + path + "': the " + out->format_name() +
                       " format has no alpha channel");
}

PendingImage::PendingImage(const std::string& path, ImageSize size, int channels)
    : path_(path), file_(std::make_unique<ReplacementFile>(path)) {
    // The format comes from the target's name; the data goes to a fresh file beside it.
    out_ = oiio::ImageOutput::create(path);
    if (!out_) throw ImageFileError("cannot write '" + path + "': " + firstLine(oiio::geterror()));
    if (const std::string refusal = formatRefusal(out_->format_name(), size, channels); !refusal.empty())
        throw ImageFileError("cannot write '" + path + "': " + refusal);
    if (!file_->stream()) throw ImageFileError("cannot write '" + path + "': " + file_->error());
    oiio::ImageSpec spec(size.width, size.height, channels, oiio::TypeDesc::UINT8);
    // The alpha channel is the matte beside an unchanged composite, not a premultiplied colour.
    if (channels == 4) spec.attribute("oiio:UnassociatedAlpha", 1);
    // zlib level 4 instead of 6: a 6000 x 4000 PNG is written three times as fast and only
    // about 4% larger.
    spec.attribute("png:compressionLevel", 4);
    // Writers that take a stream get the one created for us; the others open the same fresh
    // name themselves.
    if (out_->supports("ioproxy")) {
        proxy_ = std::make_unique<oiio::Filesystem::IOFile>(file_->stream(), oiio::Filesystem::IOProxy::Write);
        out_->set_ioproxy(proxy_.get());
    }
    if (!out_->open(file_->temporaryPath(), spec)) fail();
}

PendingImage::PendingImage(const std::string& path, ImageSize size, int channels,
                           const std::function<const uint8_t*(int32_t)>& row)
    : PendingImage(path, size, channels) {
    for (int32_t y = 0; y < size.height; ++y) writeRow(row(y));
}

PendingImage::~PendingImage() {
    if (out_) {
        // An unfinished file is closed before it is removed, and first filled up with blank rows:
        // writers complain on standard error about a short image (libpng: "No IDATs written").
        try {
            const std::vector<uint8_t> blank(out_->spec().scanline_bytes(), 0);
            while (nextRow_ < out_->spec().height)
                if (!out_->write_scanline(nextRow_++, 0, oiio::TypeDesc::UINT8, blank.data())) break;
        } catch (...) {  // not even a blank row: the writer may complain
        }
        out_.reset();
    }
    // file_ then removes the uncommitted temporary.
}

void PendingImage::writeRow(const uint8_t* row) {
    if (!out_->write_scanline(nextRow_, 0, oiio::TypeDesc::UINT8, row)) fail();
    ++nextRow_;
}

void PendingImage::commit() {
    if (!out_->close()) fail();
    out_.reset();
    proxy_.reset();
    if (!file_->commit()) throw ImageFileError("cannot write '" + path_ + "': " + file_->error());
}

void PendingImage::fail() {
    // The writer's message may name the temporary: the user knows only the target.
    std::string reason = firstLine(out_->geterror());
    const std::string& temporary = file_->temporaryPath();
    for (size_t at = reason.find(temporary); !temporary.empty() && at != std::string::npos;
         at = reason.find(temporary, at + path_.size()))
        reason.replace(at, temporary.size(), path_);
    out_.reset();
    proxy_.reset();
    file_.reset();
    throw ImageFileError("cannot write '" + path_ + "': " + reason);
}

} // namespace velokrom
