#pragma once
#include <cmath>
#include <cstdint>

namespace velokrom {

// Float-to-integer conversions that truncate toward zero and saturate, so that any bytes of
// a stored record (NaN, infinities, huge values) give a defined result. NaN gives 0.
inline int64_t truncToInt64(double v) {
    if (!(v == v)) return 0;
    if (v >= 9.2233720368547758e18) return INT64_MAX;
    if (v <= -9.2233720368547758e18) return INT64_MIN;
    return static_cast<int64_t>(v);
}

inline int32_t truncToInt32(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(v);
}

// Truncation toward zero, then a clamp to 0..65535.
inline uint16_t truncToU16Clamped(double v) {
    if (!(v == v) || v <= 0.0) return 0;
    if (v >= 65535.0) return 65535;
    return static_cast<uint16_t>(v);
}

inline float clampUnit(float v) { return v <= 0.0f ? 0.0f : (v >= 1.0f ? 1.0f : v); }
inline double clampUnit(double v) { return v <= 0.0 ? 0.0 : (v >= 1.0 ? 1.0 : v); }

} // namespace velokrom
