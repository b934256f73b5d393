// Figures for the defocused background, in megapixels per second, on a 6000 x 4000 green-screen
// image (processImage has its own program, row_pass_figures, that the Windows builds run too).
//   composite_bench [benchmark flags] [FOREGROUND BACKGROUND KEY.vkp]
// Without files the bundled sample is drawn at 6000 x 4000 and keyed on its backing.
#include <benchmark/benchmark.h>

#include <memory>

#include "composite/memory_image_access.h"
#include "green_screen_sample.h"
#include "image_io/image_file.h"
#include "key_file.h"

using namespace velokrom;

namespace {

std::unique_ptr<MemoryImageAccess> engine;

void prepare(int argc, char** argv) {
    clearKeyModel();
    if (argc == 4) {
        engine = std::make_unique<MemoryImageAccess>(readRgbImage(argv[1], "foreground"),
                                                     readRgbImage(argv[2], "background"));
        restoreLiveKey(cli::readKeyFile(argv[3]));
        return;
    }
    GreenScreenSample sample = makeGreenScreenSample(6000, 4000);
    engine = std::make_unique<MemoryImageAccess>(std::move(sample.foreground), std::move(sample.background));
    engine->keyOperation = kAutoSetup;
    engine->sampleDrag(DragPhase::Begin, 100, 100);
    for (int i = 1; i < 1000; ++i) engine->sampleDrag(DragPhase::Continue, 100 + i % 40, 100 + i / 40);
    engine->applyKeyOperation();
}

void reportMegapixels(benchmark::State& state) {
    const double pixels = static_cast<double>(engine->imageWidth) * engine->imageHeight;
    state.counters["MP/s"] = benchmark::Counter(pixels / 1e6 * static_cast<double>(state.iterations()),
                                                benchmark::Counter::kIsRate);
}

void buildDefocusedBackground(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(engine->buildDefocusedBackground());
    reportMegapixels(state);
}
BENCHMARK(buildDefocusedBackground)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc != 1 && argc != 4) {
        std::fprintf(stderr, "usage: composite_bench [benchmark flags] [FOREGROUND BACKGROUND KEY.vkp]\n");
        return 2;
    }
    prepare(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
