#pragma once
#include <memory>

#include "composite/memory_image_access.h"
#include "key_fixture.h"

namespace velokrom {

// A small scene on a green backing: column 0..5 backing, 6..7 a red subject; background grey.
class EngineTest : public KeyTest {
protected:
    void SetUp() override {
        KeyTest::SetUp();
        RgbImage fg(8, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 8; ++x) {
                uint8_t* p = fg.at(y, x);
                if (x < 6) { p[0] = uint8_t(20 + 10 * x); p[1] = uint8_t(200 - 8 * y); p[2] = 30; }
                else { p[0] = 220; p[1] = 40; p[2] = uint8_t(50 + y); }
            }
        engine = std::make_unique<MemoryImageAccess>(fg, RgbImage(8, 4, 100));
        engine->blendMode = kBlendDirect;
    }

    void drag(KeyOperation operation, const std::vector<DragPoint>& points) {
        engine->keyOperation = operation;
        replayDrag(*engine, points);
    }

    std::unique_ptr<MemoryImageAccess> engine;
};

} // namespace velokrom
