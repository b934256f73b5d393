#pragma once
// Fixtures the host tests and the Wine tests both build: test pictures and a key for them, the
// RGB of a host image, background files, the composite the filter must make, and a parameter
// block as a finished run leaves it.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "composite/memory_image_access.h"
#include "engine/key_model.h"
#include "host/photoshop_filter.h"
#include "tools/vkhost/emulated_host.h"

namespace velokrom::testing {

// A subject (a red disc with soft colours) in front of a green backing, planes >= 3; planes
// after the third hold a pattern of their own.
vkhost::HostImage greenScreen(int32_t width, int32_t height, int32_t planes = 3);
// A colourful background picture.
vkhost::HostImage backgroundPicture(int32_t width, int32_t height);
// A key made by Auto Setup on the backing of greenScreen (its top rows).
KeyModelRecord backingKey(const vkhost::HostImage& image);

// The whole of image as a rectangle (top, left, bottom, right).
Rect wholeOf(const vkhost::HostImage& image);

// The red, green and blue planes of the rectangle of image.
RgbImage rgbOf(const vkhost::HostImage& image, const Rect& area);
RgbImage rgbOf(const vkhost::HostImage& image);

// The background file's bytes for the rectangle of picture: signature, version, size, RGB rows.
std::vector<uint8_t> backgroundFile(const vkhost::HostImage& picture, const Rect& area);

// The in-memory engine's composite (and matte) of foreground with key over background, or over
// neutral grey: what the filter must leave in the host's image for the same inputs.
RgbImage expectedComposite(const RgbImage& foreground, const RgbImage& background, const KeyModelRecord& key,
                           BlendMode blendMode, bool neutralGray, std::vector<uint8_t>* matte = nullptr);

// What a run saves in the parameter block besides the key.
struct SavedSettings {
    BackgroundSource backgroundSource = kBackgroundNeutralGray;
    BlendMode blendMode = kBlendDirect;
    bool writeMatteToAlpha = false;
    bool startDialogPending = false;
};

// A parameter block holding key with stateSaved set, as a finished run leaves it; the solid
// colour is mid grey.
std::vector<uint8_t> savedParameterBlock(const KeyModelRecord& key, const SavedSettings& settings);

} // namespace velokrom::testing
