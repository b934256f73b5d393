#pragma once
// An 8 x 4 picture keyed with a spherical key around a green backing: columns 0..5 are the
// backing, 6..7 a greenish subject just outside the outer surface; the background is grey 100.
#include <algorithm>
#include <memory>

#include "composite/memory_image_access.h"
#include "key_fixture.h"

namespace velokrom {

class KeyedScene : public KeyTest {
protected:
    void SetUp() override {
        KeyTest::SetUp();
        RgbImage foreground(8, 4);
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 8; ++x) {
                const uint8_t backing[] = {39, 78, 39}, subject[] = {60, 120, 40};
                std::copy_n(x < 6 ? backing : subject, 3, foreground.at(y, x));
            }
        engine = std::make_unique<MemoryImageAccess>(foreground, RgbImage(8, 4, 100), MemoryImageLayout{true, false});
        engine->blendMode = kBlendDirect;
        setUniformKey(10000, 20000, 10000, 1000, 2000, 3000);
        engine->processImage(false, true);
    }

    std::unique_ptr<MemoryImageAccess> engine;
};

} // namespace velokrom
