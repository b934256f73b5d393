// The cached, threaded row pass against the plain one (keyRow a row at a time, one thread):
// the same composite and matte bytes for every key, colour, reference and blend mode.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "composite/memory_image_access.h"
#include "key_fixture.h"

namespace velokrom {
namespace {

// An unknown blend mode blends towards the background, as Direct does.
const std::vector<BlendMode> kEveryBlendMode = {kBlendDirect, kBlendDefocused, kBlendSolidColor, static_cast<BlendMode>(9)};

// The sanitizer build runs many times slower, the Windows builds under Wine several times: they
// check every colour for one key, the sanitizer build in the Defocused blend only.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kRandomKeys = 24;
const std::vector<BlendMode> kEveryColourModes = {kBlendDefocused};
#else
constexpr int kRandomKeys = 90;  // more than 63 keys on as many threads: the cache sweeps its entries once
const std::vector<BlendMode> kEveryColourModes = {kBlendDirect, kBlendDefocused, kBlendSolidColor};
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(_WIN32)
constexpr int kAllColorKeys = 1;
#else
constexpr int kAllColorKeys = 3;
#endif

// Runs the pass cached (on threads threads) on engine, whose colour cache lives on from the
// passes and keys before, and plainly on a fresh engine over the same images, and expects the
// same bytes.
void expectSamePass(MemoryImageAccess& engine, int32_t threads, const std::string& what,
                    const std::vector<BlendMode>& modes = kEveryBlendMode) {
    MemoryImageAccess plain(engine.foreground, engine.background);
    plain.defocused = engine.defocused;
    std::copy(engine.solidColor, engine.solidColor + 4, plain.solidColor);
    plain.rowPassCacheBytes = 0;
    engine.rowPassCacheBytes = ColorZoneCache::kMaxBytes;
    engine.rowPassThreads = threads;
    for (BlendMode mode : modes) {
        plain.blendMode = engine.blendMode = mode;
        ASSERT_TRUE(plain.processImage(false, false));
        std::fill(engine.output.pixels.begin(), engine.output.pixels.end(), 0x5a);
        ASSERT_TRUE(engine.processImage(false, false));
        ASSERT_EQ(engine.output.pixels, plain.output.pixels) << what << ", blend mode " << mode;
        ASSERT_EQ(engine.matte, plain.matte) << what << ", blend mode " << mode;
    }
}

RgbImage randomImage(std::mt19937& rng, int32_t width, int32_t height) {
    RgbImage image(width, height);
    for (uint8_t& byte : image.pixels) byte = static_cast<uint8_t>(rng());
    return image;
}

// Random radii around a random centre, spheres or ragged, nested or not.
void randomKey(std::mt19937& rng, KeyModel& key) {
    std::uniform_real_distribution<float> channel(0.0f, 65535.0f), radius(0.0f, 40000.0f);
    for (float& c : key.keyCenter) c = channel(rng);
    const bool ragged = rng() % 2 == 0, nested = rng() % 3 != 0;
    const float base[3] = {radius(rng) / 4, radius(rng) / 2, radius(rng)};
    for (int v = 0; v < kVertexCount; ++v) {
        float r[3];
        for (int s = 0; s < 3; ++s) r[s] = ragged ? radius(rng) : base[s];
        if (nested) std::sort(r, r + 3);
        key.innerSurface[v] = r[0];
        key.middleSurface[v] = r[1];
        key.outerSurface[v] = r[2];
    }
    key.surfaceOptions = rng() % 4 == 0 ? kHardCutOption : (rng() % 4 == 0 ? kNoOuterZoneOption : 0);
}

// Stored bytes that no key operation makes: NaN, infinities, huge, tiny and negative values.
void hostileKey(std::mt19937& rng, KeyModel& key) {
    const float values[] = {std::numeric_limits<float>::quiet_NaN(), INFINITY, -INFINITY, 3e38f, -3e38f,
                            1e-40f, -1.0f, 0.0f, 70000.0f, 1e9f};
    auto pick = [&] { return values[rng() % (sizeof values / sizeof values[0])]; };
    randomKey(rng, key);
    for (int i = 0; i < 3; ++i)
        if (rng() % 3 == 0) key.keyCenter[i] = pick();
    for (KeySurface* surface : {&key.innerSurface, &key.middleSurface, &key.outerSurface})
        for (float& r : *surface)
            if (rng() % 5 == 0) r = pick();
}

// A 2-thread pass and a 3-thread pass over random colours, colours near the key centre and the
// images' own backing, for keys of every kind, one engine throughout (the cache sees every key).
class CachedPass : public KeyTest {
protected:
    void SetUp() override {
        KeyTest::SetUp();
        std::mt19937 rng(7);
        RgbImage foreground = randomImage(rng, 61, 37);
        // A green backing with noise in the left half: tuned keys make every zone there.
        for (int32_t y = 0; y < foreground.height; ++y)
            for (int32_t x = 0; x < 30; ++x) {
                uint8_t* p = foreground.at(y, x);
                p[0] = static_cast<uint8_t>(40 + rng() % 9);
                p[1] = static_cast<uint8_t>(170 + rng() % 40);
                p[2] = static_cast<uint8_t>(60 + rng() % 9);
            }
        engine = std::make_unique<MemoryImageAccess>(foreground, randomImage(rng, 61, 37));
        engine->defocused = randomImage(rng, 61, 37);
        engine->solidColor[0] = 0x1234;
        engine->solidColor[1] = 0xfedc;
        engine->solidColor[2] = 0x80ff;
    }

    // Rows of colours within a few units of the key centre, so that the near-key box is met.
    void nearTheCentre(std::mt19937& rng) {
        for (int32_t x = 0; x < engine->imageWidth; ++x) {
            uint8_t* p = engine->foreground.at(engine->imageHeight - 1, x);
            for (int i = 0; i < 3; ++i) {
                const float c = liveKeyModel().keyCenter[i] / 256.0f;
                const int v = (c == c && c > -10 && c < 300 ? static_cast<int>(c) : 128) + static_cast<int>(rng() % 3) - 1;
                p[i] = static_cast<uint8_t>(std::clamp(v, 0, 255));
            }
        }
    }

    void drag(KeyOperation operation, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        engine->keyOperation = operation;
        std::vector<DragPoint> points;
        for (int32_t y = y0; y <= y1; ++y)
            for (int32_t x = x0; x <= x1; ++x) points.push_back({x, y});
        replayDrag(*engine, points);
    }

    std::unique_ptr<MemoryImageAccess> engine;
};

TEST_F(CachedPass, MatchesThePlainPassForRandomHostileAndTunedKeys) {
    std::mt19937 rng(11);
    for (int k = 0; k < kRandomKeys; ++k) {
        std::memset(&liveKeyModel(), 0, sizeof(KeyModel));
        if (k % 3 == 2) hostileKey(rng, liveKeyModel());
        else randomKey(rng, liveKeyModel());
        nearTheCentre(rng);
        // A change of thread count makes the cache anew: the last keys take a third thread.
        expectSamePass(*engine, k < kRandomKeys - 8 ? 2 : 3, "key " + std::to_string(k));
    }
    // Keys as the key operations make them: auto setup on the backing, refined and tuned.
    clearKeyModel();
    drag(kAutoSetup, 2, 2, 20, 30);
    expectSamePass(*engine, 2, "auto setup");
    drag(kSelectBackground, 25, 0, 31, 36);
    expectSamePass(*engine, 2, "background selected");
    drag(kSelectForeground, 40, 0, 60, 36);
    expectSamePass(*engine, 2, "foreground selected");
    drag(kTuneColors, 28, 5, 33, 30);
    engine->beginTuning();
    engine->adjustTuning(0, 0.25f);
    engine->adjustTuning(2, -0.5f);
    engine->applyTuning();
    expectSamePass(*engine, 3, "tuned");
}

class EveryColour : public KeyTest, public ::testing::WithParamInterface<int> {};

TEST_P(EveryColour, CachedPassMatchesThePlainPass) {
    // 2^24 colours as 4096 x 256 images of 2^20 colours each, over references that vary with
    // the colour, so that the blend towards the reference meets many values.
    const int32_t width = 4096, height = 256;
    MemoryImageAccess all(RgbImage(width, height), RgbImage(width, height));
    const int k = GetParam();
    std::mt19937 rng(static_cast<uint32_t>(100 + k));
    if (k == 0) {
        // Nested spheres around a green, wide enough that every zone holds millions of colours.
        setUniformKey(40 << 8, 180 << 8, 60 << 8, 12000, 30000, 60000);
    } else if (k == 1) {
        randomKey(rng, liveKeyModel());
    } else {
        hostileKey(rng, liveKeyModel());
    }
    for (uint32_t chunk = 0; chunk < 16; ++chunk) {
        for (uint32_t i = 0; i < uint32_t{1} << 20; ++i) {
            const uint32_t rgb = chunk << 20 | i;
            uint8_t* f = all.foreground.pixels.data() + 3 * i;
            uint8_t* b = all.background.pixels.data() + 3 * i;
            uint8_t* d = all.defocused.pixels.data() + 3 * i;
            f[0] = static_cast<uint8_t>(rgb >> 16), f[1] = static_cast<uint8_t>(rgb >> 8), f[2] = static_cast<uint8_t>(rgb);
            b[0] = f[2], b[1] = static_cast<uint8_t>(255 - f[0]), b[2] = static_cast<uint8_t>(f[1] * 7);
            d[0] = static_cast<uint8_t>(f[1] + 100), d[1] = f[2], d[2] = static_cast<uint8_t>(255 - f[1]);
        }
        expectSamePass(all, 2, "colours from " + std::to_string(chunk << 20), kEveryColourModes);
        if (HasFatalFailure()) return;
    }
}

// Key 0: nested spheres; 1: a random key; 2: a hostile record.
INSTANTIATE_TEST_SUITE_P(Keys, EveryColour, ::testing::Range(0, kAllColorKeys));

} // namespace
} // namespace velokrom
