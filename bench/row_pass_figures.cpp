// Figures for processImage on raw RGB frames, timed with the standard library's clock alone so
// that the Windows builds print the same table under Wine:
//   row_pass_figures WIDTH HEIGHT FOREGROUND.rgb BACKGROUND.rgb KEY.vkp
// For each blend mode: the plain pass (keyRow a row at a time, one thread), then the cached
// pass on one thread and on every processor, both right after a key change (a re-key after a
// drag: every colour evaluated afresh) and with the key of the pass before (a blend change).
// Each figure is the best of a few runs, in milliseconds and megapixels per second.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>
#include <utility>

#include "composite/memory_image_access.h"
#include "engine/key_model.h"
#include "engine/settings_file.h"

using namespace velokrom;

namespace {

// The first size bytes of the file at path; false when it is shorter or cannot be read.
bool readBytes(const char* path, void* data, size_t size) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    const bool ok = std::fread(data, 1, size, file) == size;
    std::fclose(file);
    return ok;
}

// Best wall-clock time of runs calls of pass, in seconds; prepare runs untimed before each.
double bestSeconds(int runs, const std::function<void()>& prepare, const std::function<void()>& pass) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        pass();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void print(const char* what, const char* mode, double seconds, double megapixels) {
    std::printf("%-34s %-9s %8.1f ms %8.1f MP/s\n", what, mode, seconds * 1e3, megapixels / seconds);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: row_pass_figures WIDTH HEIGHT FOREGROUND.rgb BACKGROUND.rgb KEY.vkp\n");
        return 2;
    }
    const int32_t width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    RgbImage foreground(width, height), background(width, height);
    KeyModelRecord key;
    uint8_t keyFile[kSettingsFileSize];
    if (width <= 0 || height <= 0 || !readBytes(argv[3], foreground.pixels.data(), foreground.pixels.size()) ||
        !readBytes(argv[4], background.pixels.data(), background.pixels.size()) ||
        !readBytes(argv[5], keyFile, sizeof keyFile) || !parseSettingsRecord(keyFile, sizeof keyFile, key)) {
        std::fprintf(stderr, "row_pass_figures: cannot read the frames or the key\n");
        return 1;
    }
    clearKeyModel();
    restoreLiveKey(key);
    // The same key, one radius a hair apart: switching between the two invalidates the cache.
    KeyModel nudged = liveKeyModel();
    nudged.outerSurface[0] = std::nextafter(nudged.outerSurface[0], 1e30f);
    KeyModelRecord other;
    saveKeyModel(nudged, other);

    MemoryImageAccess engine(std::move(foreground), std::move(background));
    engine.buildDefocusedBackground();
    const double megapixels = static_cast<double>(width) * height / 1e6;
    const unsigned processors = std::thread::hardware_concurrency();
    std::printf("%d x %d, %u processors\n", width, height, processors);

    const char* modes[] = {"direct", "defocused", "solid"};
    bool flip = false;
    auto changeKey = [&] { restoreLiveKey((flip = !flip) ? other : key); };
    auto keep = [] {};
    auto pass = [&] { engine.processImage(false, false); };
    for (BlendMode mode : {kBlendDirect, kBlendDefocused, kBlendSolidColor}) {
        engine.blendMode = mode;
        engine.rowPassThreads = 1;
        engine.rowPassCacheBytes = 0;
        print("plain pass, 1 thread", modes[mode], bestSeconds(1, keep, pass), megapixels);
        engine.rowPassCacheBytes = ColorZoneCache::kMaxBytes;
        print("cached, 1 thread, new key", modes[mode], bestSeconds(3, changeKey, pass), megapixels);
        engine.rowPassThreads = 0;
        print("cached, all threads, new key", modes[mode], bestSeconds(5, changeKey, pass), megapixels);
        print("cached, all threads, same key", modes[mode], bestSeconds(5, keep, pass), megapixels);
    }
    return 0;
}
