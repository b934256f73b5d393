#pragma once
// The progress bar in the status bar while the interactive run is prepared or runs. A caller
// reports (0, n) once, then (k, n) for k = 1 .. n - 1, or (0, 0) when it stops early: the bar
// appears at the first report, steps once per report in between and goes at the last.
#include <cstdint>

#include "display_geometry.h"

namespace velokrom {

class ProgressBarView {
public:
    virtual ~ProgressBarView() = default;
    virtual void setCursor(CursorShape shape) = 0;
    // False when there is no status bar to put the bar in, or the bar could not be made.
    virtual bool createBar(int32_t maximum) = 0;  // range 0 .. maximum, step 1
    virtual void stepBar() = 0;
    virtual void destroyBar() = 0;
};

class ProgressBar {
public:
    // Always true: the user cannot abort through this bar.
    bool report(ProgressBarView& view, int32_t done, int32_t total);
    bool shown() const { return shown_; }

private:
    void remove(ProgressBarView& view);

    bool shown_ = false;
};

} // namespace velokrom
