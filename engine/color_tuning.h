#pragma once
#include <cstdint>

#include "key_model.h"
#include "pixel.h"

namespace velokrom {

// The face that a tuning drag picked, and its radii on the three surfaces at that moment.
struct TuningTarget {
    Color16 foregroundAverage;
    Color16 backgroundAverage;
    uint32_t faceVertices[3];
    float weights[3];
    float savedRadii[9];  // inner, middle, outer; each at the three face vertices
    bool valid;           // false when the averaged colour defined no face: sliders do nothing
};

// Fills a target from a drag's averages (engine state aside, so it can be tested on its own).
TuningTarget locateTuningTarget(const Color16& foregroundAverage, const Color16& backgroundAverage);

// The tuning sliders' positions run from -kTuningSliderLimit to kTuningSliderLimit; the engine
// takes position x 0.001 in single precision.
constexpr int32_t kTuningSliderLimit = 1000;
inline float tuningSliderValue(int32_t position) { return static_cast<float>(position * 0.001); }

// Moves the slider's surface at the target's three vertices: saved radius + weight * value * 30000,
// never below 1.0, then restores the nesting. False for a value outside -1..1 or a bad index.
bool adjustTuning(const TuningTarget& target, int32_t sliderIndex, float value);

} // namespace velokrom
