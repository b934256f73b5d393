#pragma once

namespace velokrom {

// Sine and cosine computed by our own code, so that every target's C library gives way to
// the same bits (the auto-setup sample sphere must be identical in the plug-in and natively).
// Accurate to about one unit in the last place for |x| up to a few turns.
double portableSin(double x);
double portableCos(double x);

} // namespace velokrom
