#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "composite/blend.h"
#include "composite/memory_image_access.h"
#include "engine/matte_evaluation.h"
#include "key_fixture.h"

namespace velokrom {
namespace {

// A key around (40, 80, 40) whose surfaces lie 1000, 2000 and 3000 units out, and a 4 x 2 source
// with one pixel in each zone: inside the inner surface, between inner and middle (partly
// transparent), between middle and outer (opaque, blended towards the reference), outside.
class ProcessImage : public KeyTest {
protected:
    void SetUp() override {
        KeyTest::SetUp();
        setUniformKey(40 << 8, 80 << 8, 40 << 8, 1000, 2000, 3000);
    }

    static RgbImage source() {
        RgbImage image(4, 2);
        const uint8_t pixels[8][3] = {{40, 80, 40}, {40, 84, 40}, {40, 90, 40}, {200, 10, 10},
                                      {40, 81, 40}, {40, 85, 40}, {40, 91, 40}, {0, 0, 0}};
        for (int i = 0; i < 8; ++i)
            for (int c = 0; c < 3; ++c) image.pixels[3 * i + c] = pixels[i][c];
        return image;
    }
    static RgbImage filled(uint8_t r, uint8_t g, uint8_t b) {
        RgbImage image(4, 2);
        for (size_t i = 0; i < image.pixels.size(); i += 3) {
            image.pixels[i] = r;
            image.pixels[i + 1] = g;
            image.pixels[i + 2] = b;
        }
        return image;
    }
    static Pixel16 widened(const uint8_t* p) {
        return {static_cast<uint16_t>(p[0] << 8), static_cast<uint16_t>(p[1] << 8), static_cast<uint16_t>(p[2] << 8), 0};
    }

    // What every pixel must become when keyed against the given reference colours.
    static void expectComposite(MemoryImageAccess& run, const std::vector<Pixel16>& references) {
        for (int i = 0; i < 8; ++i) {
            const Pixel16 keyed = evaluatePixel(widened(&run.foreground.pixels[3 * i]), references[i]);
            const Pixel16 back = widened(&run.background.pixels[3 * i]);
            EXPECT_EQ(run.output.pixels[3 * i], compositeChannel(keyed.fourth, back.red, keyed.red)) << i;
            EXPECT_EQ(run.output.pixels[3 * i + 1], compositeChannel(keyed.fourth, back.green, keyed.green)) << i;
            EXPECT_EQ(run.output.pixels[3 * i + 2], compositeChannel(keyed.fourth, back.blue, keyed.blue)) << i;
            EXPECT_EQ(run.matte[i], keyed.fourth >> 8) << i;
        }
    }
};

TEST_F(ProcessImage, EachBlendModeTakesItsOwnReference) {
    MemoryImageAccess run(source(), filled(10, 20, 250));
    run.rowPassCacheBytes = 0;  // the pass through the work rows, whose reference row is looked at
    run.defocused = filled(250, 120, 5);
    run.solidColor[0] = 0x1234;
    run.solidColor[1] = 0xfedc;
    run.solidColor[2] = 0x8000;
    run.solidColor[3] = 0x4321;
    const Pixel16 back = widened(run.background.pixels.data()), defocused = widened(run.defocused.pixels.data());
    const Pixel16 solid{0x1234, 0xfedc, 0x8000, 0x4321};
    std::vector<uint8_t> outputs[3];

    const std::pair<BlendMode, Pixel16> cases[] = {{kBlendDirect, back}, {kBlendDefocused, defocused}, {kBlendSolidColor, solid}};
    for (const auto& [mode, reference] : cases) {
        run.blendMode = mode;
        ASSERT_TRUE(run.processImage(false, false));
        expectComposite(run, std::vector<Pixel16>(8, reference));
        outputs[mode] = run.output.pixels;
        // The reference row still holds the last row's reference: its fourth word is the solid
        // colour's own in Solid Color mode and 0 otherwise.
        EXPECT_EQ(run.workRowC()[3].fourth, mode == kBlendSolidColor ? 0x4321 : 0);
    }
    // The zone between middle and outer surface really depends on the reference.
    EXPECT_NE(outputs[0], outputs[1]);
    EXPECT_NE(outputs[0], outputs[2]);

    run.blendMode = static_cast<BlendMode>(7);  // an unknown mode behaves as Direct
    ASSERT_TRUE(run.processImage(false, false));
    EXPECT_EQ(run.output.pixels, outputs[kBlendDirect]);
}

TEST_F(ProcessImage, ChannelIndicesPlaceEveryChannel) {
    // The same pixels stored blue, green, red give the same composite stored blue, green, red.
    struct BgrAccess : MemoryImageAccess {
        using MemoryImageAccess::MemoryImageAccess;
        int32_t redIndex() override { return 2; }
        int32_t blueIndex() override { return 0; }
    };
    auto swapped = [](RgbImage image) {
        for (size_t i = 0; i < image.pixels.size(); i += 3) std::swap(image.pixels[i], image.pixels[i + 2]);
        return image;
    };
    MemoryImageAccess rgb(source(), filled(10, 20, 250));
    BgrAccess bgr(swapped(source()), swapped(filled(10, 20, 250)));
    rgb.blendMode = bgr.blendMode = kBlendDirect;
    ASSERT_TRUE(rgb.processImage(false, false));
    ASSERT_TRUE(bgr.processImage(false, false));
    EXPECT_EQ(swapped(bgr.output).pixels, rgb.output.pixels);
    EXPECT_EQ(bgr.matte, rgb.matte);
}

TEST_F(ProcessImage, WithoutAMatteImageOnlyTheCompositeIsWritten) {
    MemoryImageAccess withMatte(source(), filled(10, 20, 250));
    MemoryImageAccess without(source(), filled(10, 20, 250), false);
    ASSERT_TRUE(withMatte.processImage(false, false));
    ASSERT_TRUE(without.processImage(false, false));
    EXPECT_EQ(without.output.pixels, withMatte.output.pixels);
    EXPECT_EQ(without.matteWorkRow(), nullptr);
}

TEST_F(ProcessImage, ReportsEveryRowAndRecordsOneHistoryStep) {
    MemoryImageAccess run(source(), filled(10, 20, 250));
    std::vector<std::pair<int32_t, int32_t>> calls;
    run.onProgress = [&](int32_t done, int32_t total) {
        calls.emplace_back(done, total);
        return true;
    };
    run.allocationsLeft = 0;  // the pass takes nothing from allocate()
    ASSERT_TRUE(run.processImage(true, true));
    EXPECT_EQ(calls, (std::vector<std::pair<int32_t, int32_t>>{{0, 2}, {1, 2}, {0, 0}}));
    EXPECT_EQ(run.history().count(), 1);
    ASSERT_TRUE(run.processImage(false, false));
    EXPECT_EQ(run.history().count(), 1);
}

} // namespace
} // namespace velokrom
