// glider/polar_curve: the Bézier polar (segments from the nodes, evaluation)
// and its sampling into the reference part of the polar-mode table.
#pragma once

#include "glider/records.h"

#include <array>

namespace kalveo {

/// One entry of the polar-mode table.
struct PolarPoint {
    double speed = 0; ///< airspeed, m/s
    double sink = 0;  ///< vertical speed, m/s (sink negative)
};

/// Entries of the polar-mode table, numbered 1..kPolarTableSize (slot 0 unused):
/// recorded points from 1, the sampled reference polar from
/// kReferencePolarFirst, each followed by an end mark (0, 0).
inline constexpr int kPolarTableSize = 200;
inline constexpr int kReferencePolarFirst = 101;
using PolarTable = std::array<PolarPoint, kPolarTableSize + 1>;

/// The control points and spans of segments 1..npt_bz−1 of `nodes` (node s to
/// node s+1, leaving along the outgoing control point of s, arriving along the
/// incoming control point of s+1).
[[nodiscard]] Rrrppp002Record build_segments(const Rrrppp000Record& nodes);

/// Airspeed (km/h) of segment `n` at parameter `t` (0..1). Segments outside
/// 1..12 give 0.
[[nodiscard]] double vv_bz(const Rrrppp002Record& segments, double t, int n);

/// Vertical speed (m/s) of segment `n` at parameter `t` (0..1).
[[nodiscard]] double vz_bz(const Rrrppp002Record& segments, double t, int n);

/// Samples per segment for a sample spacing of `spacing` km/h: about one per
/// spacing of the span, at least 3.
[[nodiscard]] int samples_for_span(double span, double spacing);

/// Samples the polar into table entries kReferencePolarFirst on, about one per
/// 3 km/h, spacing them wider when the table would overflow; writes the end
/// mark after the last sample. Returns nbfpl, the index of the last sample
/// (kReferencePolarFirst − 1 when there is no segment).
int sample_reference_polar(const PlanePolar& polar, PolarTable& vvpol);

} // namespace kalveo
