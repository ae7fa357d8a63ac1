// Blink partners: the same hue at the opposite brightness, worked out on luma and colour
// differences so that the partner stays a displayable colour.
#include "display/display_state.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kalveo {

namespace {

// Colour-difference scales of the luma/chroma model (U = (B - Y) × 0.493, V = (R - Y) × 0.877).
constexpr double kUScale = 0.493;
constexpr double kVScale = 0.87002933;

struct HueValueChroma {
    double hue = 0;    ///< degrees 0..360
    double value = 0;  ///< luma × 100
    double chroma = 0; ///< chroma × 100
};

double to_byte(double component) {
    return std::clamp(std::round(component * 255.0), 0.0, 255.0);
}

HueValueChroma from_rgb(double r, double g, double b) {
    const double y = 0.3 * r + 0.59 * g + 0.11 * b;
    const double u = (b - y) * kUScale;
    const double v = (r - y) * kVScale;
    HueValueChroma hvc;
    if (u != 0.0 || v != 0.0) {
        hvc.hue = std::atan2(v, u) * 180.0 / std::numbers::pi;
        if (hvc.hue < 0.0) hvc.hue += 360.0;
    }
    hvc.value = std::round(100.0 * y);
    hvc.chroma = std::round(100.0 * std::sqrt(u * u + v * v));
    return hvc;
}

/// A limit of the chroma so that one primary stays within 0..1 at luma y.
double limit(double direction, double y, double scale) {
    if (direction > 0.0) return (1.0 - y) * scale / direction;
    if (direction < 0.0) return -y * scale / direction;
    return 1.0;
}

HueValueChroma limit_chroma(HueValueChroma hvc) {
    const double y = std::clamp(hvc.value / 100.0, 0.0, 1.0);
    double c = std::clamp(hvc.chroma / 100.0, 0.0, 1.0);
    const double h = hvc.hue * std::numbers::pi / 180.0;
    const double co = std::cos(h);
    const double si = std::sin(h);
    const double k = 0.37817582 * co + 0.58443385 * si;
    double green = 1.0;
    if (k > 0.0)
        green = y / k;
    else if (k < 0.0)
        green = (y - 1.0) / k;
    c = std::min({c, limit(co, y, kUScale), limit(si, y, kVScale), green});
    return {std::round(hvc.hue), std::round(y * 100.0), std::round(c * 100.0)};
}

RgbF to_rgb(const HueValueChroma& hvc) {
    const double y = hvc.value / 100.0;
    const double c = hvc.chroma / 100.0;
    const double h = hvc.hue * std::numbers::pi / 180.0;
    const double r = y + c * std::sin(h) * 1.1493865;
    const double b = y + c * std::cos(h) * 2.0283976;
    const double g = (y - 0.3 * r - 0.11 * b) * 1.6949153;
    auto component = [](double x) {
        return static_cast<float>(std::clamp(to_byte(x) / 255.0, 0.0, 1.0));
    };
    return {component(r), component(g), component(b)};
}

} // namespace

RgbF blink_partner(const RgbF& colour) {
    HueValueChroma hvc = from_rgb(to_byte(colour[0]) / 255.0, to_byte(colour[1]) / 255.0,
                                  to_byte(colour[2]) / 255.0);
    if (hvc.value > 59.0) {
        hvc.value = 30.0;
        hvc.chroma = 100.0;
    } else {
        hvc.value = 90.0;
        hvc.chroma = 90.0;
    }
    return to_rgb(limit_chroma(hvc));
}

void setblinkcolor(const RgbF& colour, RgbF& partner) {
    partner = blink_partner(colour);
}

} // namespace kalveo
