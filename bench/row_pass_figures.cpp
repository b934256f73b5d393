// Figures for processImage on raw RGB frames, timed with the standard library's clock alone so
// that the Windows builds print the same table under Wine:
//   row_pass_figures WIDTH HEIGHT FOREGROUND.rgb BACKGROUND.rgb KEY.vkp
// For each blend mode: the plain pass (keyRow a row at a time, one thread), then the cached
// pass on one thread and on every processor, both right after a key change (a re-key after a
// drag: every colour evaluated afresh) and with the key of the pass before (a blend change).
// Each figure is the best of a few runs, in milliseconds and megapixels per second, with the
// processor time of that run (every thread's): on a busy machine the wall time waits for other
// work, the processor time much less.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#endif

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

// Processor seconds the process has used so far, user and system, on every thread.
double processorSeconds() {
#ifdef _WIN32
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) { return (double(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) * 1e-7; };
    return seconds(kernel) + seconds(user);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
#endif
}

struct Timing {
    double wall = 1e30;
    double processor = 0;
};

// The run of pass with the best wall-clock time out of runs, in seconds; prepare runs untimed
// before each.
Timing bestRun(int runs, const std::function<void()>& prepare, const std::function<void()>& pass) {
    Timing best;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const double processorStart = processorSeconds();
        const auto start = std::chrono::steady_clock::now();
        pass();
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (wall < best.wall) best = {wall, processorSeconds() - processorStart};
    }
    return best;
}

void print(const char* what, const char* mode, const Timing& t, double megapixels) {
    std::printf("%-34s %-9s %8.1f ms %8.1f MP/s %8.1f ms processor\n", what, mode, t.wall * 1e3, megapixels / t.wall,
                t.processor * 1e3);
}

// FNV-1a over the composite and the matte: the Windows builds must print the same.
uint64_t digestOf(const MemoryImageAccess& engine) {
    uint64_t hash = 14695981039346656037u;
    for (const std::vector<uint8_t>* bytes : {&engine.output.pixels, &engine.matte})
        for (uint8_t byte : *bytes) hash = (hash ^ byte) * 1099511628211u;
    return hash;
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
        print("plain pass, 1 thread", modes[mode], bestRun(1, keep, pass), megapixels);
        const uint64_t plainDigest = digestOf(engine);
        engine.rowPassCacheBytes = ColorZoneCache::kMaxBytes;
        print("cached, 1 thread, new key", modes[mode], bestRun(3, changeKey, pass), megapixels);
        engine.rowPassThreads = 0;
        print("cached, all threads, new key", modes[mode], bestRun(5, changeKey, pass), megapixels);
        print("cached, all threads, same key", modes[mode], bestRun(5, keep, pass), megapixels);
        // An even number of key changes since the plain pass: the same key.
        std::printf("composite and matte digest %-9s %016llx plain, %016llx cached\n", modes[mode],
                    static_cast<unsigned long long>(plainDigest), static_cast<unsigned long long>(digestOf(engine)));
    }
    return 0;
}
