#include "solid_color_chooser.h"

namespace velokrom {

CustomColors greyRampColors() {
    CustomColors colors{};
    for (size_t k = 0; k < colors.size(); ++k) {
        const uint8_t grey = static_cast<uint8_t>(15 + 16 * k);
        colors[k] = packedColor({grey, grey, grey});
    }
    return colors;
}

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
