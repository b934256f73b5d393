#pragma once
#include <cstdint>

#include "key_model.h"
#include "sample_set.h"

namespace velokrom {

constexpr float kAutoInnerRadius = 2550.0f;
constexpr float kAutoOuterRadius = 130560.0f;

Color16 averageSample(const KeySample* samples, int32_t count);
void setKeyCenter(const Color16& color);
void fillSurface(KeySurface& surface, float radius);

// Fits one surface to the samples, in order: grow brings each colour inside, shrink outside.
void growSurface(KeySurface& surface, const KeySample* samples, int32_t count);
void shrinkSurface(KeySurface& surface, const KeySample* samples, int32_t count);

// Restores inner <= middle <= outer at every vertex, keeping the changed surface's radii.
void enforceNesting(int changedSurface);

// The tuning step's colour: the average pushed 1.1 times as far from the key centre.
Color16 tuningStepColor(const Color16& average);

} // namespace velokrom
