#include "display/tas_colour.h"

#include <algorithm>

namespace kalveo {

float tas_warning_brightness(int tas, int vne, int dv1, int dv2) {
    // A zero band width has no ramp: the warning is at full brightness at once.
    if (dv2 <= 0) return 1.0F;
    const double excess = static_cast<double>(tas) - (static_cast<double>(vne) - dv1);
    return static_cast<float>(std::clamp(excess * 0.5 / dv2 + 0.5, 0.5, 1.0));
}

RgbF tas_colour(const DisplayStateRecord& s) {
    if (!s.status.vne_alarm) return kAlarmOffGrey;
    if (s.tas < s.vne - s.status.margin) return s.ColTAS0;
    if (s.blink == 0) return s.ColBlack;
    const float c = tas_warning_brightness(s.tas, s.vne, s.status.margin, s.dv2);
    return {s.ColTAS1[0] * c, s.ColTAS1[1] * c, s.ColTAS1[2] * c};
}

} // namespace kalveo
