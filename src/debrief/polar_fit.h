// debrief/polar_fit: a parabola through the measured polar points, as glider polars are
// usually drawn.
#pragma once

#include <utility>
#include <vector>

namespace kalveo::debrief {

/// The least-squares parabola sink = a v² + b v + c through `points` (airspeed, sink), sampled
/// at 25 speeds across them; empty with fewer than three points of different speeds.
[[nodiscard]] std::vector<std::pair<double, double>>
fitted_polar(const std::vector<std::pair<double, double>>& points);

} // namespace kalveo::debrief
