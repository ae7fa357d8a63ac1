#include "flight/angles.h"

#include <cmath>
#include <numbers>

namespace kalveo {

double modang(double aa, double amin) {
    if (!std::isfinite(aa) || !std::isfinite(amin)) return aa;
    // Whole turns at once (fmod is exact), so that a huge angle cannot keep a loop
    // running; the ends come out as turn-by-turn stepping would leave them.
    if (aa < amin) {
        const double rest = std::fmod(amin - aa, 360.0);
        return rest == 0.0 ? amin : amin + 360.0 - rest;
    }
    if (aa > amin + 360.0) {
        const double rest = std::fmod(aa - amin, 360.0);
        return rest == 0.0 ? amin + 360.0 : amin + rest;
    }
    return aa;
}

double wrap_pi(double angle) {
    constexpr double pi = std::numbers::pi;
    if (!std::isfinite(angle)) return 0.0;
    if (angle > pi || angle < -pi) angle = std::remainder(angle, 2.0 * pi);
    return angle;
}

} // namespace kalveo
