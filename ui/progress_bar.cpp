#include "progress_bar.h"

namespace velokrom {

void ProgressBar::remove(ProgressBarView& view) {
    view.setCursor(CursorShape::Arrow);
    if (shown_) view.destroyBar();
    shown_ = false;
}

bool ProgressBar::report(ProgressBarView& view, int32_t done, int32_t total) {
    if (done == 0 && total > 0) {
        view.setCursor(CursorShape::Wait);
        if (!shown_) shown_ = view.createBar(total - 1);
    } else if (done > 0 && done < total - 1) {
        if (shown_) view.stepBar();
    } else {
        remove(view);
    }
    return true;
}

} // namespace velokrom
