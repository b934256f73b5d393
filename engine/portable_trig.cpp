#include "portable_trig.h"

#include <cmath>

namespace velokrom {
namespace {

// pi/2 split in two parts so that k * kPiOver2High is exact for small k.
constexpr double kPiOver2High = 1.57079632673412561417e+00;
constexpr double kPiOver2Low = 6.07710050650619224932e-11;
constexpr double kTwoOverPi = 6.36619772367581382433e-01;

// Polynomials on [-pi/4, pi/4].
double sinKernel(double r) {
    const double z = r * r;
    const double p = -1.66666666666666324348e-01 +
                     z * (8.33333333332248946124e-03 +
                          z * (-1.98412698298579493134e-04 +
                               z * (2.75573137070700676789e-06 +
                                    z * (-2.50507602534068634195e-08 + z * 1.58969099521155010221e-10))));
    return r + r * z * p;
}

double cosKernel(double r) {
    const double z = r * r;
    const double p = 4.16666666666666019037e-02 +
                     z * (-1.38888888888741095749e-03 +
                          z * (2.48015872894767294178e-05 +
                               z * (-2.75573143513906633035e-07 +
                                    z * (2.08757232129817482790e-09 + z * -1.13596475577881948265e-11))));
    return (1.0 - 0.5 * z) + z * z * p;
}

// x = k * pi/2 + r with |r| <= pi/4; quadrant = k mod 4.
double reduce(double x, int& quadrant) {
    const double k = std::nearbyint(x * kTwoOverPi);
    quadrant = static_cast<int>(static_cast<long long>(k) & 3);
    return (x - k * kPiOver2High) - k * kPiOver2Low;
}

} // namespace

double portableSin(double x) {
    int q;
    const double r = reduce(x, q);
    switch (q) {
    case 0: return sinKernel(r);
    case 1: return cosKernel(r);
    case 2: return -sinKernel(r);
    default: return -cosKernel(r);
    }
}

double portableCos(double x) {
    int q;
    const double r = reduce(x, q);
    switch (q) {
    case 0: return cosKernel(r);
    case 1: return -sinKernel(r);
    case 2: return -cosKernel(r);
    default: return sinKernel(r);
    }
}

} // namespace velokrom
