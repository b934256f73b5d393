#pragma once
// Fixtures the host tests and the Wine tests both build: the RGB of a host image and a
// parameter block as a finished run leaves it.
#include <cstdint>
#include <vector>

#include "composite/memory_image_access.h"
#include "engine/key_model.h"
#include "host/photoshop_filter.h"
#include "tools/vkhost/emulated_host.h"

namespace velokrom::testing {

// The whole of image as a rectangle (top, left, bottom, right).
Rect wholeOf(const vkhost::HostImage& image);

// The red, green and blue planes of the rectangle of image.
RgbImage rgbOf(const vkhost::HostImage& image, const Rect& area);
RgbImage rgbOf(const vkhost::HostImage& image);

// What a run saves in the parameter block besides the key.
struct SavedSettings {
    int32_t backgroundSource = 1;  // neutral grey
    int32_t blendMode = 0;         // direct
    bool writeMatteToAlpha = false;
    bool startDialogPending = false;
};

// A parameter block holding key with stateSaved set, as a finished run leaves it; the solid
// colour is mid grey.
std::vector<uint8_t> savedParameterBlock(const KeyModelRecord& key, const SavedSettings& settings);

} // namespace velokrom::testing
