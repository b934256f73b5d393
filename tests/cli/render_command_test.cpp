#include <OpenImageIO/imageio.h>

#include "cli_fixture.h"
#include "key_file.h"

namespace velokrom::cli {
namespace {

using RenderCommand = CliTest;

// The final pass the plug-in makes, on the engine directly: key restored, blur built when the
// blend mode needs it, every row processed.
struct Rendered {
    std::vector<uint8_t> composite, matte;
};

Rendered renderInEngine(const RgbImage& fg, const RgbImage& bg, const std::string& key, BlendMode blendMode,
                                 bool grey) {
    MemoryImageAccess engine(fg, bg);
    clearKeyModel();
    restoreLiveKey(readKeyFile(key));
    engine.blendMode = blendMode;
    engine.solidColor[0] = 200 << 8;
    engine.solidColor[1] = 10 << 8;
    engine.solidColor[2] = 30 << 8;
    if (blendMode == kBlendDefocused) {
        if (grey) engine.defocused = RgbImage(fg.width, fg.height, 127);
        else EXPECT_TRUE(engine.buildDefocusedBackground());
    }
    EXPECT_TRUE(engine.processImage(false, false));
    return {engine.output.pixels, engine.matte};
}

std::vector<uint8_t> channelsOf(const std::string& file, int& channels) {
    OIIO::ImageSpec config;
    config.attribute("oiio:UnassociatedAlpha", 1);
    auto in = OIIO::ImageInput::open(file, &config);
    EXPECT_TRUE(in);
    if (!in) return {};
    channels = in->spec().nchannels;
    std::vector<uint8_t> pixels(static_cast<size_t>(in->spec().image_pixels()) * static_cast<size_t>(channels));
    EXPECT_TRUE(in->read_image(0, 0, 0, channels, OIIO::TypeDesc::UINT8, pixels.data()));
    return pixels;
}

TEST_F(RenderCommand, WritesWhatTheEngineComputesInEveryBlendMode) {
    const RgbImage fg = readRgbImage(path("fg.png"), "fg"), bg = readRgbImage(path("bg.png"), "bg");
    const RgbImage grey(kWidth, kHeight, 127);
    const struct {
        const char* blend;
        BlendMode mode;
        bool grey;
    } cases[] = {{"direct", kBlendDirect, false}, {"defocused", kBlendDefocused, false},
                 {"solid", kBlendSolidColor, false}, {"defocused", kBlendDefocused, true}};
    for (const auto& c : cases) {
        std::vector<std::string> words{"render", "@fg.png", "--key", "@k.vkp", "--blend", c.blend, "--solid", "200,10,30",
                                       "--out",  "@out.png", "--matte", "@matte.png"};
        // Over grey the composite also carries the matte as its alpha.
        if (c.grey) words.insert(words.end(), {"--gray", "--alpha"});
        else words.insert(words.end(), {"--background", "@bg.png"});
        const CliResult r = run(words);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "composite written to " + path("out.png") + "\nmatte written to " + path("matte.png") + "\n");

        const Rendered expected = renderInEngine(fg, c.grey ? grey : bg, path("k.vkp"), c.mode, c.grey);
        EXPECT_EQ(readRgbImage(path("out.png"), "out").pixels, expected.composite) << c.blend;
        int channels = 0;
        EXPECT_EQ(channelsOf(path("matte.png"), channels), expected.matte) << c.blend;
        EXPECT_EQ(channels, 1);
        const std::vector<uint8_t> composite = channelsOf(path("out.png"), channels);
        ASSERT_EQ(channels, c.grey ? 4 : 3) << c.blend;
        for (size_t i = 0; c.grey && i < expected.matte.size(); ++i) ASSERT_EQ(composite[4 * i + 3], expected.matte[i]) << i;
        // The key from the sample's drags does take the backing out and keep the shirt.
        EXPECT_EQ(expected.matte[2 * kWidth + 2], 0) << c.blend;
        EXPECT_EQ(expected.matte[40 * kWidth + 30], 255) << c.blend;
    }
}

TEST_F(RenderCommand, RendersAFrameSequenceOverOneBackground) {
    for (int frame = 1; frame <= 3; ++frame) {
        RgbImage fg = readRgbImage(path("fg.png"), "fg");
        for (size_t i = 0; i < fg.pixels.size(); i += 97) fg.pixels[i] = static_cast<uint8_t>(40 * frame);
        writeRgb("shot." + std::to_string(frame) + ".png", fg);
    }
    const CliResult batch = run({"render", "@shot.%d.png", "--key", "@k.vkp", "--background", "@bg.png", "--frames", "1-3",
                                 "--out", "@out.%03d.png", "--matte", "@m.%03d.png"},
                                true);
    ASSERT_EQ(batch.status, 0) << batch.err;
    EXPECT_NE(batch.err.find("] 3/3 frames\n"), std::string::npos) << batch.err;
    for (int frame = 1; frame <= 3; ++frame) {
        const std::string n = std::to_string(frame);
        ASSERT_EQ(run({"render", "@shot." + n + ".png", "--key", "@k.vkp", "--background", "@bg.png", "--out", "@one.png"})
                      .status,
                  0);
        EXPECT_EQ(readRgbImage(path("out.00" + n + ".png"), "x").pixels, readRgbImage(path("one.png"), "x").pixels) << n;
        EXPECT_TRUE(std::filesystem::exists(path("m.00" + n + ".png")));
    }
    // The bar is for a person at a terminal: not with --quiet, not into a pipe.
    const std::vector<std::string> again{"render", "@shot.%d.png", "--key", "@k.vkp", "--gray", "--frames", "1-3", "--out",
                                         "@out.%03d.png"};
    EXPECT_EQ(run(again, false).err, "");
    std::vector<std::string> quiet = again;
    quiet.emplace_back("--quiet");
    EXPECT_EQ(run(quiet, true).err, "");
}

} // namespace
} // namespace velokrom::cli
