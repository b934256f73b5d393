#include "tuning_dialog.h"

#include <cstdio>

#include "engine/color_tuning.h"
#include "tuning_dialog_ids.h"

namespace velokrom {

const SliderBinding kTuningSliders[3] = {
    {IDC_TUNE_DECOLOR, IDC_TUNE_DECOLOR_TEXT, 0, "De-Color"},
    {IDC_TUNE_CLIP_HIGH, IDC_TUNE_CLIP_HIGH_TEXT, 1, "Clip High"},
    {IDC_TUNE_CLIP_LOW, IDC_TUNE_CLIP_LOW_TEXT, 2, "Clip Low"},
};

int32_t sliderPageStep(int32_t minimum, int32_t maximum) {
    const int32_t span = maximum - minimum + 1;
    if (span > 1000) return span / 50;
    if (span > 10) return span / 10;
    return 1;
}

int32_t scrolledPosition(int32_t position, ScrollRequest request, int32_t thumbPosition, int32_t minimum,
                         int32_t maximum) {
    const int32_t page = sliderPageStep(minimum, maximum);
    switch (request) {
    case ScrollRequest::LineBack: position -= 1; break;
    case ScrollRequest::LineForward: position += 1; break;
    case ScrollRequest::PageBack: position -= page; break;
    case ScrollRequest::PageForward: position += page; break;
    case ScrollRequest::Thumb: position = thumbPosition; break;
    case ScrollRequest::Top: position = minimum; break;
    case ScrollRequest::Bottom: position = maximum; break;
    case ScrollRequest::EndScroll:
    case ScrollRequest::Other: break;
    }
    return position < minimum ? minimum : position > maximum ? maximum : position;
}

std::string sliderText(int32_t position) {
    char text[16];
    std::snprintf(text, sizeof text, "%.3f", position * 0.001);
    return text;
}

void TuningDialog::tuningDragEnded() {
    engine_.beginTuning();
    if (open_) {
        view_.repaintSwatch();
        return;
    }
    if (!view_.create()) return;
    open_ = true;
    resetSliders();
}

bool TuningDialog::scroll(int32_t controlId, ScrollRequest request, int32_t thumbPosition) {
    for (const SliderBinding& slider : kTuningSliders) {
        if (slider.sliderId != controlId) continue;
        int32_t& position = positions_[slider.tuningIndex];
        position = scrolledPosition(position, request, thumbPosition, -kTuningSliderLimit, kTuningSliderLimit);
        view_.showSliderPosition(slider.sliderId, position);
        view_.showText(slider.textId, sliderText(position));
        engine_.adjustTuning(slider.tuningIndex, tuningSliderValue(position));
        view_.repaintSwatch();
        return true;
    }
    return false;
}

Rgb8 TuningDialog::swatchColor() { return screenColor(engine_.tuningSwatchColor()); }

void TuningDialog::apply() {
    engine_.applyTuning();
    view_.refreshDisplay();
    resetSliders();
}

void TuningDialog::close() {
    if (!open_) return;  // an old checkpoint must not come back
    engine_.cancelTuning();
    view_.destroy();
    open_ = false;
}

void TuningDialog::resetSliders() {
    for (int32_t& position : positions_) position = 0;
    view_.resetSliders();
}

} // namespace velokrom
