#include "color_tuning.h"

#include "face_planes.h"
#include "key_operations.h"
#include "surface_fitting.h"

namespace velokrom {
namespace {

constexpr double kSliderGain = 30000.0;

struct SliderBinding {
    KeySurface KeyModel::*surface;
    int nestingKeeps;
};

// De-Color moves the outer surface, Clip High the middle one, Clip Low the inner one.
constexpr SliderBinding kSliders[3] = {
    {&KeyModel::outerSurface, kMiddle},
    {&KeyModel::middleSurface, kMiddle},
    {&KeyModel::innerSurface, kInner},
};

} // namespace

TuningTarget locateTuningTarget(const Color16& foregroundAverage, const Color16& backgroundAverage) {
    TuningTarget target{};
    target.foregroundAverage = foregroundAverage;
    target.backgroundAverage = backgroundAverage;
    // A colour too near the key centre, or degenerate geometry, defines no face: refuse the
    // target rather than let the sliders index the surfaces with undefined vertices.
    target.valid = faceWeights(foregroundAverage, target.faceVertices, target.weights) == 1;
    if (!target.valid) return target;
    const KeyModel& m = liveKeyModel();
    const KeySurface* surfaces[3] = {&m.innerSurface, &m.middleSurface, &m.outerSurface};
    for (int s = 0; s < 3; ++s)
        for (int k = 0; k < 3; ++k) target.savedRadii[3 * s + k] = (*surfaces[s])[target.faceVertices[k]];
    return target;
}

bool adjustTuning(const TuningTarget& target, int32_t sliderIndex, float value) {
    if (value < -1.0f || value > 1.0f || sliderIndex < 0 || sliderIndex > 2) return false;
    if (!target.valid) return true;
    const SliderBinding& slider = kSliders[sliderIndex];
    // The saved radii of the slider's own surface: outer for slider 0, middle 1, inner 2.
    const int savedRow = 2 - sliderIndex;
    const float g = static_cast<float>(value * kSliderGain);
    KeySurface& surface = liveKeyModel().*slider.surface;
    for (int k = 0; k < 3; ++k) {
        const float radius =
            static_cast<float>(target.savedRadii[3 * savedRow + k] + static_cast<double>(target.weights[k]) * g);
        surface[target.faceVertices[k]] = radius < 1.0f ? 1.0f : radius;
        enforceNesting(slider.nestingKeeps);
    }
    return true;
}

} // namespace velokrom
