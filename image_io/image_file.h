#pragma once
#include <OpenImageIO/oiioversion.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "composite/memory_image_access.h"

OIIO_NAMESPACE_BEGIN
class ImageInput;
class ImageOutput;
namespace Filesystem {
class IOFile;
}
OIIO_NAMESPACE_END

namespace velokrom {

class ReplacementFile;

// A file that cannot be read or written, said in one line that names it and its role.
struct ImageFileError : std::runtime_error {
    explicit ImageFileError(const std::string& message) : std::runtime_error(message) {}
};

struct ImageSize {
    int32_t width;
    int32_t height;
    bool operator==(const ImageSize& other) const { return width == other.width && height == other.height; }
};

// The largest image read unless told otherwise: 100 megapixels, a 12000 x 8000 photograph.
constexpr int64_t kDefaultMaxPixels = 100'000'000;

// An image file read as 8-bit RGB. Grey (one channel, or two: grey and alpha) is repeated in all
// three channels, and channels after the third (alpha, extra channels) are ignored; palette
// images arrive as RGB. Deeper integer samples are rounded to 8 bits; floating-point samples are
// clamped to 0..1 (NaN counts as 0) and rounded. role names the image in messages
// ("foreground", "background"); every failure, a read error or a file cut short included,
// throws ImageFileError. An image of more than maxPixels pixels is refused when opened, before
// anything of its size is allocated.
class RgbRowReader {
public:
    RgbRowReader(const std::string& path, const std::string& role, int64_t maxPixels = kDefaultMaxPixels);
    RgbRowReader(const RgbRowReader&) = delete;
    RgbRowReader& operator=(const RgbRowReader&) = delete;
    ~RgbRowReader();

    ImageSize size() const { return size_; }
    // Rows first .. end - 1 into rgb, width x 3 bytes each.
    void read(int32_t first, int32_t end, uint8_t* rgb);
    // Row y, width x 3 bytes, valid until another row outside its chunk is asked for. The file is
    // read a chunk of rows at a time, so rows asked for in increasing order (or the same row
    // again) are read once.
    uint8_t* row(int32_t y);

private:
    std::unique_ptr<OIIO::ImageInput> in_;
    std::string path_, role_;
    ImageSize size_{};
    int channels_ = 0;  // read from the file: 3 (RGB), or 1 (grey) repeated
    enum class Depth { Eight, Sixteen, Float } depth_ = Depth::Eight;  // as the samples are read
    int32_t chunkRows_ = 1;         // rows read from the file at once
    std::vector<uint8_t> samples_;  // one chunk as read
    std::vector<uint8_t> rows_;     // the chunk row() serves, as RGB
    int32_t rowsFirst_ = 0, rowsEnd_ = 0;
};

// Why path cannot be read as a file, in a few words ("no such file", "it is a folder", "file
// name too long"), or empty when it is a regular file.
std::string inputFileProblem(const std::string& path);

// Both throw ImageFileError.
ImageSize probeImage(const std::string& path, const std::string& role, int64_t maxPixels = kDefaultMaxPixels);
RgbImage readRgbImage(const std::string& path, const std::string& role, int64_t maxPixels = kDefaultMaxPixels);

// Rounds a 16-bit sample to the nearest 8-bit value (ties up).
inline uint8_t reduceTo8Bits(uint16_t v) { return static_cast<uint8_t>((v * 255u + 32767u) / 65535u); }
// A floating-point sample to 8 bits: clamped to 0..1, NaN as 0, rounded to nearest.
inline uint8_t floatTo8Bits(float v) {
    if (!(v > 0.0f)) return 0;  // NaN, zero and below
    if (v >= 1.0f) return 255;
    return static_cast<uint8_t>(v * 255.0f + 0.5f);
}

// An 8-bit image file written as a replacement of its target (platform/replacement_file.h) and
// put in place by commit(); one that is never committed is removed, so a failed command leaves
// no file behind and the target as it was.
// channels is 1 (grey), 3 (RGB) or 4 (RGBA). Every failure throws ImageFileError.
class PendingImage {
public:
    // Opens the temporary file; the rows follow through writeRow, top to bottom.
    PendingImage(const std::string& path, ImageSize size, int channels);
    // The whole image at once: row(y) gives row y.
    PendingImage(const std::string& path, ImageSize size, int channels, const std::function<const uint8_t*(int32_t)>& row);
    PendingImage(const PendingImage&) = delete;
    PendingImage& operator=(const PendingImage&) = delete;
    ~PendingImage();

    void writeRow(const uint8_t* row);  // the next row, width x channels bytes
    void commit();                      // after the last row

private:
    [[noreturn]] void fail();

    std::string path_;
    std::unique_ptr<ReplacementFile> file_;
    std::unique_ptr<OIIO::Filesystem::IOFile> proxy_;  // the writer's view of file_, when it takes one
    std::unique_ptr<OIIO::ImageOutput> out_;
    int32_t nextRow_ = 0;
};

// Throws ImageFileError unless an image of that many channels can be written to path's format.
void checkWritable(const std::string& path, int channels, const std::string& role);

} // namespace velokrom
