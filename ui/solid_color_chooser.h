#pragma once
// Select Color: the solid reference colour of the Solid Color blend, chosen in the system's
// colour chooser, with the 16 custom colours the user defines there kept for the run.
#include <array>

#include "composite/keyer_engine.h"
#include "platform/platform_services.h"
#include "screen_color.h"

namespace velokrom {

using CustomColors = std::array<PackedColor, 16>;
// The custom colours a run starts with: greys from 15 to 255 in steps of 16.
CustomColors greyRampColors();

class ColorChooser {
public:
    virtual ~ColorChooser() = default;
    // Runs the chooser modally, owned by owner, fully opened, starting at initial and offering
    // custom. True when the user accepted: chosen holds the colour and custom the custom colours
    // as the user left them. On false both may hold anything.
    virtual bool choose(WindowHandle owner, PackedColor initial, CustomColors& custom, PackedColor& chosen) = 0;
};

// Offers the current solid colour; an accepted colour becomes solidColor (each channel x 256,
// the fourth word kept) and the custom colours are kept; a cancelled chooser changes nothing.
// True when the image was recomposited with a history step (the Solid Color blend is on), so
// that the display must be refreshed.
bool chooseSolidColor(KeyerEngine& engine, ColorChooser& chooser, WindowHandle owner, CustomColors& customColors);

} // namespace velokrom
