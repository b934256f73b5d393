#pragma once
// The colour tuning dialog's decisions apart from its window: when it opens and closes, the
// three sliders with their scroll steps and texts, the swatch colour, and the order of the
// engine's calls on Apply and Close. The Win32 dialog (TUNE_DLG) turns its messages into these
// calls and carries out what its TuningDialogView is told; tests put a scripted view there.
#include <cstdint>
#include <string>

#include "composite/keyer_engine.h"
#include "screen_color.h"
#include "scroll_request.h"

namespace velokrom {

// A slider, the read-only edit box that shows its value, and the engine's tuning index.
struct SliderBinding {
    int32_t sliderId;
    int32_t textId;
    int32_t tuningIndex;
    const char* label;
};
// De-Color, Clip High, Clip Low.
extern const SliderBinding kTuningSliders[3];

// The page step of a slider's range: span / 50 above 1000 positions, span / 10 above 10, else 1
// (40 for -1000 .. 1000).
int32_t sliderPageStep(int32_t minimum, int32_t maximum);
// Where a request moves a slider, within minimum .. maximum; thumbPosition counts only for the
// thumb, and the end of scrolling (or a request of no meaning here) leaves it where it is.
int32_t scrolledPosition(int32_t position, ScrollRequest request, int32_t thumbPosition, int32_t minimum,
                         int32_t maximum);
// A position as its edit box shows it: position x 0.001 with three decimals ("0.040", "-1.000").
std::string sliderText(int32_t position);

// What the dialog's window does when told.
class TuningDialogView {
public:
    virtual ~TuningDialogView() = default;
    // Creates the modeless dialog owned by the display window; false when it cannot be made.
    virtual bool create() = 0;
    virtual void destroy() = 0;
    // The slider at a position of its range -1000 .. 1000, redrawn.
    virtual void showSliderPosition(int32_t sliderId, int32_t position) = 0;
    virtual void showText(int32_t textId, const std::string& text) = 0;
    // Every slider at 0 of the range -1000 .. 1000 and every text as sliderText(0) shows it.
    virtual void resetSliders() = 0;
    // Paints the swatch with TuningDialog::swatchColor.
    virtual void repaintSwatch() = 0;
    // The display window redraws the composite and matte views and updates Undo, Redo and Reset.
    virtual void refreshDisplay() = 0;
};

class TuningDialog {
public:
    TuningDialog(KeyerEngine& engine, TuningDialogView& view) : engine_(engine), view_(view) {}

    // A tuning drag has ended: the key as it is now becomes what Close returns to; the dialog
    // opens with its sliders at 0 or, when it is open already, keeps them and repaints the swatch.
    void tuningDragEnded();
    bool isOpen() const { return open_; }

    // A scroll request from a control of the dialog; false, changing nothing, when the control is
    // not one of the sliders. The key changes at once, but only the swatch shows it.
    bool scroll(int32_t controlId, ScrollRequest request, int32_t thumbPosition);
    // How the averaged colour under the tuning drag now composites over its background.
    Rgb8 swatchColor();
    int32_t position(int32_t tuningIndex) const { return positions_[tuningIndex]; }

    // Apply: the change is committed with a history step and shown; the sliders return to 0.
    void apply();
    // Close (also when another operation is chosen): unapplied changes are discarded.
    void close();

private:
    void resetSliders();

    KeyerEngine& engine_;
    TuningDialogView& view_;
    bool open_ = false;
    int32_t positions_[3] = {0, 0, 0};
};

} // namespace velokrom
