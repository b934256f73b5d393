#pragma once
// Select Color's chooser: the system's colour dialog, fully opened.
#include "solid_color_chooser.h"

namespace velokrom {

class Win32ColorChooser final : public ColorChooser {
public:
    bool choose(WindowHandle owner, PackedColor initial, CustomColors& custom, PackedColor& chosen) override;
};

} // namespace velokrom
