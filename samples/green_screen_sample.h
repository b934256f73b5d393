#pragma once
#include <cstdint>

#include "composite/memory_image_access.h"

namespace velokrom {

// A synthetic green-screen shot and the picture to put behind it, the same on every run: a
// head-and-shoulders figure with soft hair, anti-aliased edges, green spill on its rim and a
// soft shadow on an unevenly lit backing; behind it, hills under a sky. Any size; the
// geometry scales with it (640 x 480 is the bundled sample).
struct GreenScreenSample {
    RgbImage foreground;
    RgbImage background;
};

GreenScreenSample makeGreenScreenSample(int32_t width, int32_t height);

} // namespace velokrom
