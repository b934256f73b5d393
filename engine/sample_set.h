#pragma once
#include <cstdint>

#include "pixel.h"

namespace velokrom {

// A dragged colour: red, green, blue in 16-bit units and a reserved word (0).
using KeySample = Pixel16;

constexpr int32_t kSampleCapacity = 1000;

// The colours of one drag; background colours are recorded only while tuning.
struct SampleSet {
    KeySample foregroundSamples[kSampleCapacity];
    KeySample backgroundSamples[kSampleCapacity];
    int32_t sampleCount;
};

} // namespace velokrom
