// The time of decoding and encoding a render's PNGs alone, without keying: the yardstick for a
// whole 'velokrom render'.
//   png_codec_figures OUT_DIR FOREGROUND.png BACKGROUND.png COMPOSITE.png MATTE.png
// Decodes the two inputs, then encodes the composite's and the matte's pixels (as a render
// writes them: zlib level 4) into OUT_DIR, one file after the other on one thread.
#include <chrono>
#include <ctime>
#include <cstdio>
#include <string>
#include <vector>

#include "image_io/image_file.h"

using namespace velokrom;

namespace {

double seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The process's processor time since start (std::clock counts it on the native target).
double processorSeconds(std::clock_t start) { return double(std::clock() - start) / CLOCKS_PER_SEC; }

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: png_codec_figures OUT_DIR FOREGROUND.png BACKGROUND.png COMPOSITE.png MATTE.png\n");
        return 2;
    }
    try {
        // The outputs' pixels, read untimed: the matte as one grey channel.
        const RgbImage composite = readRgbImage(argv[4], "composite");
        const RgbImage matte = readRgbImage(argv[5], "matte");
        const ImageSize size{composite.width, composite.height};

        const std::clock_t processorStart = std::clock();
        const auto start = std::chrono::steady_clock::now();
        readRgbImage(argv[2], "foreground");
        readRgbImage(argv[3], "background");
        const double decoded = seconds(start);
        const std::string dir = argv[1];
        PendingImage(dir + "/codec-composite.png", size, 3, [&](int32_t y) { return composite.at(y, 0); }).commit();
        std::vector<uint8_t> grey(static_cast<size_t>(size.width));
        PendingImage(dir + "/codec-matte.png", size, 1, [&](int32_t y) {
            for (int32_t x = 0; x < size.width; ++x) grey[static_cast<size_t>(x)] = matte.at(y, x)[0];
            return grey.data();
        }).commit();
        const double total = seconds(start);
        std::printf("decode foreground + background %6.2f s, encode composite + matte %6.2f s, together %6.2f s"
                    " (%.2f s processor)\n",
                    decoded, total - decoded, total, processorSeconds(processorStart));
    } catch (const ImageFileError& error) {
        std::fprintf(stderr, "png_codec_figures: %s\n", error.what());
        return 1;
    }
    return 0;
}
