#pragma once
// The choices a person makes for a run: what a drag does, what the display shows, what the
// foreground is laid over. Each has a fixed 32-bit underlying type because it is stored as such
// (the host's parameter block, the command table's arguments); conversions from raw values are
// made where those values enter.
#include <cstdint>

namespace velokrom {

enum KeyOperation : int32_t { kAutoSetup = 0, kSelectBackground = 1, kSelectForeground = 2, kTuneColors = 3 };
// Any other value is keyed as Direct and kept as it came.
enum BlendMode : int32_t { kBlendDirect = 0, kBlendDefocused = 1, kBlendSolidColor = 2 };
enum ViewMode : int32_t { kViewComposite = 0, kViewMatte = 1, kViewFront = 2, kViewBack = 3 };
// What the composite lies over: the saved background image or neutral grey.
enum BackgroundSource : int32_t { kBackgroundSaved = 0, kBackgroundNeutralGray = 1 };

} // namespace velokrom
