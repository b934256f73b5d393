#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "composite/memory_image_access.h"

namespace velokrom::cli {

struct ImageSize {
    int32_t width;
    int32_t height;
    bool operator==(const ImageSize& other) const { return width == other.width && height == other.height; }
};

// role names the image in messages ("foreground", "background"). Both throw CliError.
ImageSize probeImage(const std::string& path, const std::string& role);
// 8-bit RGB: deeper samples are rounded to 8 bits, grey is repeated in all three channels and
// any channel after the third (alpha) is ignored.
RgbImage readRgbImage(const std::string& path, const std::string& role);

// Rounds a 16-bit sample to the nearest 8-bit value (ties up).
inline uint8_t reduceTo8Bits(uint16_t v) { return static_cast<uint8_t>((v * 255u + 32767u) / 65535u); }

// An image file written under a temporary name beside its target and put in place by commit();
// one that is never committed is removed, so a failed command leaves no file behind.
class PendingImage {
public:
    // channels is 1 (grey), 3 (RGB) or 4 (RGBA); row(y) gives width * channels bytes.
    // Throws CliError when the format cannot hold the image or the file cannot be written.
    PendingImage(const std::string& path, ImageSize size, int channels, const std::function<const uint8_t*(int32_t)>& row);
    PendingImage(PendingImage&& other) noexcept;
    PendingImage(const PendingImage&) = delete;
    PendingImage& operator=(const PendingImage&) = delete;
    PendingImage& operator=(PendingImage&&) = delete;
    ~PendingImage();

    void commit();  // throws CliError when the file cannot be put in place

private:
    std::string path_;
    std::string temporary_;
};

// Throws CliError unless an image of that many channels can be written to path's format.
void checkWritable(const std::string& path, int channels, const std::string& role);

} // namespace velokrom::cli
