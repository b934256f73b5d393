// engine_fingerprint OUT: runs a fixed set of key operations on synthetic shots and keys a
// grid of colours, writing every key record, composite, matte and keyed pixel to OUT. Builds
// of the same sources for different targets must write identical files.
#include <cstdio>
#include <string>
#include <vector>

#include "composite/memory_image_access.h"
#include "engine/key_model.h"
#include "engine/matte_evaluation.h"
#include "fingerprint_scene.h"
#include "fingerprint_writer.h"

namespace velokrom::fingerprint {
namespace {

struct Case {
    const char* name;
    Rgb8 key;
};

// Key colours of every auto-setup sample family: planes (green, blue, red), the grey sphere,
// a dark colour (black sphere) and a hue between the families (cyan sphere).
constexpr Case kCases[] = {
    {"green", {40, 180, 60}}, {"blue", {30, 60, 200}},  {"red", {200, 30, 40}},
    {"grey", {128, 128, 128}}, {"dark", {20, 24, 18}}, {"cyan", {30, 170, 170}},
};

// One drag over every step-th pixel of an inclusive rectangle, row by row.
void drag(KeyerEngine& engine, KeyOperation operation, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t step) {
    engine.keyOperation = operation;
    std::vector<DragPoint> points;
    for (int32_t y = y0; y <= y1; y += step)
        for (int32_t x = x0; x <= x1; x += step) points.push_back({x, y});
    replayDrag(engine, points);
}

void writeState(FingerprintWriter& out, const std::string& step, const MemoryImageAccess& engine) {
    const KeyModelRecord record = saveLiveKey();
    out.section(step + "/key", record.bytes, sizeof record.bytes);
    out.section(step + "/composite", engine.output.pixels.data(), engine.output.pixels.size());
    out.section(step + "/matte", engine.matte.data(), engine.matte.size());
}

void runCase(FingerprintWriter& out, const Case& c) {
    const std::string name = c.name;
    clearKeyModel();
    MemoryImageAccess engine(makeForeground(c.key), makeBackground());
    engine.blendMode = kBlendDefocused;
    engine.buildDefocusedBackground();
    out.section(name + "/defocused", engine.defocused.pixels.data(), engine.defocused.pixels.size());

    drag(engine, kAutoSetup, 2, 2, kBackingEnd - 4, kSceneHeight - 3, 3);
    writeState(out, name + "/auto", engine);
    drag(engine, kSelectBackground, kBackingEnd - 4, 0, kBackingEnd + 2, kSceneHeight - 1, 2);
    writeState(out, name + "/background", engine);
    drag(engine, kSelectForeground, kEdgeEnd - 3, 0, kSceneWidth - 1, kSceneHeight - 1, 2);
    writeState(out, name + "/foreground", engine);

    drag(engine, kTuneColors, kBackingEnd, 4, kEdgeEnd - 1, kSceneHeight - 5, 1);
    engine.beginTuning();
    engine.adjustTuning(0, 0.25f);
    engine.adjustTuning(1, -0.125f);
    engine.adjustTuning(2, 0.0625f);
    engine.applyTuning();
    writeState(out, name + "/tuned", engine);

    engine.blendMode = kBlendDirect;
    engine.processImage(false, false);
    writeState(out, name + "/direct", engine);
    engine.blendMode = kBlendSolidColor;
    engine.solidColor[0] = 200 << 8;
    engine.solidColor[1] = 16 << 8;
    engine.solidColor[2] = 90 << 8;
    engine.processImage(false, false);
    writeState(out, name + "/solid", engine);
}

// Every 8th 8-bit value and 255 in each channel, keyed with the current key against a
// reference that varies with the colour.
void keyColorGrid(FingerprintWriter& out, const std::string& tag) {
    std::vector<uint16_t> levels;
    for (int v = 0; v < 256; v += 8) levels.push_back(static_cast<uint16_t>(v << 8));
    levels.push_back(65535);
    std::vector<Pixel16> source;
    std::vector<Pixel16> reference;
    for (uint16_t r : levels) {
        for (uint16_t g : levels) {
            for (uint16_t b : levels) {
                source.push_back({r, g, b, 65535});
                reference.push_back({b, r, static_cast<uint16_t>(65535 - g), 65535});
            }
        }
    }
    std::vector<Pixel16> keyed(source.size());
    keyRow(source.data(), reference.data(), keyed.data(), static_cast<int32_t>(source.size()));
    out.section(tag, keyed.data(), keyed.size() * sizeof(Pixel16));
}

} // namespace
} // namespace velokrom::fingerprint

int main(int argc, char** argv) {
    using namespace velokrom::fingerprint;
    if (argc != 2) {
        std::fprintf(stderr, "usage: engine_fingerprint OUT\n");
        return 2;
    }
    FingerprintWriter out(argv[1]);
    if (!out.ok()) {
        std::fprintf(stderr, "engine_fingerprint: cannot write %s\n", argv[1]);
        return 1;
    }
    for (const Case& c : kCases) {
        runCase(out, c);
        keyColorGrid(out, std::string(c.name) + "/grid");
    }
    if (!out.close()) {
        std::fprintf(stderr, "engine_fingerprint: writing %s failed\n", argv[1]);
        return 1;
    }
    return 0;
}
