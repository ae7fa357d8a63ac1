// display/tas_colour: the colour of the true airspeed, which warns of VNE: steady below the
// alarm speed, then blinking between black and the warning colour, brighter as the excess grows.
#pragma once

#include "display/records.h"

namespace kalveo {

/// Grey for a switched-off alarm, with the alarm on.
inline constexpr RgbF kAlarmOffGrey{0.5F, 0.5F, 0.5F};

/// The TAS colour for the display state `s`: ColTAS0 below vne - dv1; from there, black in
/// blink phase 0 and in phase 1 ColTAS1 at a brightness from 0.5 (at vne - dv1) to 1 (dv2
/// display units higher, and above); grey while the alarm is switched off (the status's alarm off).
[[nodiscard]] RgbF tas_colour(const DisplayStateRecord& s);

/// Brightness 0.5..1 of the warning colour at `tas` (display units).
[[nodiscard]] float tas_warning_brightness(int tas, int vne, int dv1, int dv2);

} // namespace kalveo
