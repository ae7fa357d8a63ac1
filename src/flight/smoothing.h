// flight/smoothing: the first-order filters of the per-packet cycle.
#pragma once

#include <cmath>

namespace kalveo {

/// Weight of the newest value for a time step `dt` and a time constant `tau` (s).
[[nodiscard]] inline double filter_weight(double dt, double tau) {
    return 1.0 - std::exp(-dt / tau);
}

/// Moves the filtered `x` towards `value` by the weight `urf`. A filter that has gone
/// non-finite (odd settings, an overflow) starts again from `value`.
inline void follow(double& x, double value, double urf) {
    x = urf * value + (1.0 - urf) * x;
    if (!std::isfinite(x)) x = value;
}

} // namespace kalveo
