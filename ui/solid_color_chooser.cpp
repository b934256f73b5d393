#include "solid_color_chooser.h"

namespace velokrom {

bool chooseSolidColor(KeyerEngine& engine, ColorChooser& chooser, WindowHandle owner, CustomColors& customColors) {
    const Color16 current{engine.solidColor[0], engine.solidColor[1], engine.solidColor[2]};
    CustomColors custom = customColors;  // copied back only when the user accepts
    PackedColor chosen = 0;
    if (!chooser.choose(owner, packedColor(screenColor(current)), custom, chosen)) return false;
    const Rgb8 color = unpackedColor(chosen);
    engine.solidColor[0] = engineChannel(color.red);
    engine.solidColor[1] = engineChannel(color.green);
    engine.solidColor[2] = engineChannel(color.blue);
    customColors = custom;
    if (engine.blendMode != kBlendSolidColor) return false;
    engine.processImage(true, true);
    return true;
}

} // namespace velokrom
