// Figures for the keying engine: keyRow per pixel, the face-plane rebuild, and the three key
// operations on drags of typical length over a green-screen-like image.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "composite/memory_image_access.h"
#include "engine/face_planes.h"
#include "engine/matte_evaluation.h"

using namespace velokrom;

namespace {

// 640 x 480: green backing with noise, a grey-ish subject in the middle, a soft band between.
RgbImage greenScene() {
    RgbImage img(640, 480);
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> noise(-6, 6);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            uint8_t* p = img.at(y, x);
            const int dx = x - 320, dy = y - 240;
            const int d2 = dx * dx + dy * dy;
            const int mix = d2 < 120 * 120 ? 255 : (d2 > 140 * 140 ? 0 : 255 * (140 * 140 - d2) / (140 * 140 - 120 * 120));
            p[0] = uint8_t((40 * (255 - mix) + 170 * mix) / 255 + noise(rng) + 6);
            p[1] = uint8_t((190 * (255 - mix) + 140 * mix) / 255 + noise(rng) + 6);
            p[2] = uint8_t((60 * (255 - mix) + 120 * mix) / 255 + noise(rng) + 6);
        }
    return img;
}

// One drag over count pixels of a row, as the display window makes it.
void dragAlong(MemoryImageAccess& engine, KeyOperation operation, int y, int x0, int count) {
    engine.keyOperation = operation;
    engine.sampleDrag(DragPhase::Begin, x0, y);
    for (int i = 1; i < count; ++i) engine.sampleDrag(DragPhase::Continue, x0 + i, y);
    engine.applyKeyOperation();
}

struct Keyed {
    MemoryImageAccess engine{greenScene(), RgbImage(640, 480, 90)};
    Keyed() {
        clearKeyModel();
        dragAlong(engine, kAutoSetup, 20, 10, 200);
    }
};

void keyRowPerPixel(benchmark::State& state) {
    Keyed keyed;
    const int width = 4000;
    std::vector<Pixel16> source(width), reference(width, Pixel16{30000, 30000, 30000, 0}), out(width);
    const RgbImage& img = keyed.engine.foreground;
    for (int x = 0; x < width; ++x) {
        const uint8_t* p = img.at((x / 640) * 60 + 100, x % 640);
        source[x] = {uint16_t(p[0] << 8), uint16_t(p[1] << 8), uint16_t(p[2] << 8), 0};
    }
    for (auto _ : state) {
        keyRow(source.data(), reference.data(), out.data(), width);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["ns_per_pixel"] = benchmark::Counter(double(width) * double(state.iterations()),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(keyRowPerPixel)->Unit(benchmark::kMicrosecond);

void rebuildPlanes(benchmark::State& state) {
    Keyed keyed;
    for (auto _ : state) {
        rebuildFacePlanes();
        benchmark::DoNotOptimize(facePlaneTable().entries[0][0].hitNumerator);
    }
}
BENCHMARK(rebuildPlanes)->Unit(benchmark::kMicrosecond);

void autoSetup(benchmark::State& state) {
    MemoryImageAccess engine{greenScene(), RgbImage(640, 480, 90)};
    for (auto _ : state) {
        clearKeyModel();
        dragAlong(engine, kAutoSetup, 20, 10, 200);
    }
}
BENCHMARK(autoSetup)->Unit(benchmark::kMillisecond);

// Refinements start from the same auto-set key every iteration (restoring it is not timed).
void refinement(benchmark::State& state, KeyOperation operation, int y, int x0) {
    Keyed keyed;
    const KeyModelRecord start = saveLiveKey();
    for (auto _ : state) {
        state.PauseTiming();
        restoreLiveKey(start);
        state.ResumeTiming();
        dragAlong(keyed.engine, operation, y, x0, 300);
    }
}
BENCHMARK_CAPTURE(refinement, selectBackground, kSelectBackground, 250, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refinement, selectForeground, kSelectForeground, 240, 170)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
