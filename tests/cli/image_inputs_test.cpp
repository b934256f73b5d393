// Image files of every kind the keyer may be given: how each is turned into 8-bit RGB, and how
// damaged or oversized ones are refused before anything is written or much is allocated.
#include <OpenImageIO/imageio.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "cli_fixture.h"

namespace velokrom::cli {
namespace {

class ImageInputs : public CliTest {
protected:
    // A 3 x 1 image of the given sample type and channel count, written by OpenImageIO.
    template <typename Sample>
    void writeSamples(const std::string& name, OIIO::TypeDesc type, int channels, const std::vector<Sample>& samples) {
        auto out = OIIO::ImageOutput::create(path(name));
        ASSERT_TRUE(out);
        OIIO::ImageSpec spec(3, 1, channels, type);
        spec.attribute("oiio:UnassociatedAlpha", 1);  // stored as given, not divided by the alpha
        ASSERT_TRUE(out->open(path(name), spec));
        ASSERT_TRUE(out->write_image(type, samples.data()));
        ASSERT_TRUE(out->close());
    }

    void writeBytes(const std::string& name, const std::vector<uint8_t>& bytes) const {
        testing::ScratchFolder::writeBytes(path(name), bytes);
    }

    std::vector<uint8_t> rgbOf(const std::string& name) const { return readRgbImage(path(name), "foreground").pixels; }
};

TEST_F(ImageInputs, EveryLayoutAndDepthBecomesEightBitRgb) {
    writeSamples<uint8_t>("grey.png", OIIO::TypeDesc::UINT8, 1, {0, 128, 255});
    writeSamples<uint8_t>("grey-alpha.png", OIIO::TypeDesc::UINT8, 2, {10, 0, 20, 99, 30, 255});
    writeSamples<uint8_t>("rgba.png", OIIO::TypeDesc::UINT8, 4, {1, 2, 3, 0, 4, 5, 6, 128, 7, 8, 9, 255});
    writeSamples<uint8_t>("five.tif", OIIO::TypeDesc::UINT8, 5, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    // 16 bits round to nearest: 32767 is 127.498 (down), 32896 is 128.0, 65535 is 255.
    writeSamples<uint16_t>("deep.png", OIIO::TypeDesc::UINT16, 3, {0, 32767, 32896, 257, 384, 65535, 1, 2, 65534});
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    writeSamples<float>("float.tif", OIIO::TypeDesc::FLOAT, 3, {nan, inf, -inf, -1.0f, 0.5f, 2.0f, 0.25f, 1.0f, 0.0f});
    // A palette PNG, 3 x 2: red, green, dark blue by index (x + y) % 3.
    writeBytes("palette.png",
               {0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00,
                0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x08, 0x03, 0x00, 0x00, 0x00, 0xaa, 0xaa, 0x96, 0x28, 0x00,
                0x00, 0x00, 0x09, 0x50, 0x4c, 0x54, 0x45, 0xff, 0x00, 0x00, 0x00, 0xc8, 0x00, 0x0a, 0x14, 0x1e, 0xca,
                0x7f, 0x29, 0x71, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0x60, 0x60, 0x64,
                0x02, 0x21, 0x00, 0x00, 0x1f, 0x00, 0x07, 0x09, 0xb7, 0x43, 0x76, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45,
                0x4e, 0x44, 0xae, 0x42, 0x60, 0x82});
    const struct {
        const char* name;
        std::vector<uint8_t> rgb;
    } cases[] = {
        {"grey.png", {0, 0, 0, 128, 128, 128, 255, 255, 255}},
        {"grey-alpha.png", {10, 10, 10, 20, 20, 20, 30, 30, 30}},
        {"rgba.png", {1, 2, 3, 4, 5, 6, 7, 8, 9}},  // not divided by the alpha
        {"five.tif", {1, 2, 3, 6, 7, 8, 11, 12, 13}},
        {"deep.png", {0, 127, 128, 1, 1, 255, 0, 0, 255}},
        {"float.tif", {0, 255, 0, 0, 128, 255, 64, 255, 0}},
        {"palette.png", {255, 0, 0, 0, 200, 0, 10, 20, 30, 0, 200, 0, 10, 20, 30, 255, 0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(rgbOf(c.name), c.rgb) << c.name;

    // The keyer takes them like any picture.
    EXPECT_EQ(run({"render", "@float.tif", "--key", "@k.vkp", "--gray", "--out", "@o.png"}).status, 0);
}

// An uncompressed 64 x 48 RGB TIFF of one strip that holds fewer bytes than its rows need.
std::vector<uint8_t> tiffWithShortStrip() {
    const uint32_t stripBytes = 1000;
    std::vector<uint8_t> bytes = {'I', 'I', 42, 0, 8, 0, 0, 0};
    const uint16_t entries[][3] = {{256, 4, 64}, {257, 4, 48}, {258, 3, 8},  {259, 3, 1},         {262, 3, 2},
                                   {273, 4, 0},  {277, 3, 3},  {278, 4, 48}, {279, 4, stripBytes}, {284, 3, 1}};
    const uint32_t dataOffset = 8 + 2 + 10 * 12 + 4;
    auto put = [&](uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    put(10, 2);
    for (const auto& e : entries) {
        put(e[0], 2);
        put(e[1], 2);
        put(1, 4);
        put(e[0] == 273 ? dataOffset : e[2], 4);
    }
    put(0, 4);
    bytes.resize(dataOffset + stripBytes, 0x40);
    return bytes;
}

TEST_F(ImageInputs, DamagedOrOversizedFilesAreRefusedAndNothingIsWritten) {
    writeBytes("short-strip.tif", tiffWithShortStrip());
    // 68 bytes declaring 40000 x 40000 RGB.
    writeBytes("huge.png", {0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48,
                            0x44, 0x52, 0x00, 0x00, 0x9c, 0x40, 0x00, 0x00, 0x9c, 0x40, 0x08, 0x02, 0x00, 0x00,
                            0x00, 0xde, 0x6e, 0x99, 0x52, 0x00, 0x00, 0x00, 0x0b, 0x49, 0x44, 0x41, 0x54, 0x78,
                            0x9c, 0x63, 0x60, 0x80, 0x01, 0x00, 0x00, 0x0a, 0x00, 0x01, 0x7f, 0x80, 0x74, 0x5e,
                            0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82});
    const struct {
        std::vector<std::string> words;
        const char* fragment;
    } cases[] = {
        {{"key", "@short-strip.tif", "--auto", "1,1", "--save", "@new.vkp"}, "cannot read foreground"},
        {{"key", "@huge.png", "--auto", "1,1", "--save", "@new.vkp"},
         "40000 x 40000 pixels (1600.0 megapixels) are more than the limit of 100.0 megapixels"},
        {{"render", "@huge.png", "--key", "@k.vkp", "--gray", "--out", "@o.png"}, "more than the limit"},
        {{"render", "@fg.png", "--key", "@k.vkp", "--gray", "--out", "@o.png", "--max-megapixels", "0"},
         "--max-megapixels: 0 is outside 1..100000"},
    };
    for (const auto& c : cases) expectRefused(c.words, c.fragment);
    // The limit can be lowered below the picture, or raised.
    writeRgb("wide.png", RgbImage(1001, 1000));
    expectError(run({"key", "@wide.png", "--max-megapixels", "1", "--auto", "1,1", "--save", "@new.vkp"}),
                "1001 x 1000 pixels (1.0 megapixels) are more than the limit of 1.0 megapixels");
    EXPECT_EQ(run({"key", "@fg.png", "--max-megapixels", "1", "--auto", "1,1", "--save", "@new.vkp"}).status, 0);
}

} // namespace
} // namespace velokrom::cli
