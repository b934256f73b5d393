#pragma once
#include <cstdint>

#include "sample_set.h"

namespace velokrom {

constexpr int32_t kAutoSetupSampleCount = 10000;

enum ColorClass : int32_t {
    kClassBlack = 0, kClassWhite = 1, kClassGrey = 2, kClassBlue = 3, kClassGreen = 4,
    kClassRed = 5, kClassCyan = 6, kClassMagenta = 7, kClassYellow = 8
};

struct Hsv {
    float h;  // 0 to 6
    float s;
    float v;
};

Hsv rgbToHsv(float r, float g, float b);
int32_t colorClassOf(float h, float s, float v);

// Writes the 10000 synthetic samples around the live key centre into block (first three words
// of each sample only).
void generateAutoSetupSamples(KeySample* block);

} // namespace velokrom
