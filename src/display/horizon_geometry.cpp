#include "display/horizon_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kalveo {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180.0;
constexpr float kOuterRadius = 1.15F;
constexpr int kPointStep = 5; // degrees between circle points

/// A finite value or 0: broken telemetry must not turn into NaN coordinates.
double finite(double v) {
    return std::isfinite(v) ? v : 0.0;
}

} // namespace

HorizonCircle make_horizon_circle(bool std_horizon) {
    HorizonCircle c;
    c.fg1 = std_horizon ? 1.1F : 1.0F;
    c.fg2 = std_horizon ? kOuterRadius / 1.1F : kOuterRadius;
    for (int i = 0; i < kCirclePoints; ++i) {
        const double a = (90.0 - kPointStep * i) * kDegree;
        const BallPoint p{static_cast<float>(c.fg1 * std::cos(a)),
                          static_cast<float>(c.fg1 * std::sin(a))};
        c.inner[static_cast<std::size_t>(i)] = p;
        c.outer[static_cast<std::size_t>(i)] = {p.x * c.fg2, p.y * c.fg2};
    }
    // The horizontal diameter ends exactly on the axis, so that level flight splits there.
    c.inner[18].y = c.inner[54].y = 0.0F;
    c.outer[18].y = c.outer[54].y = 0.0F;
    return c;
}

HorizonSplit horizon_split(float pitch_deg, const HorizonCircle& circle) {
    HorizonSplit s;
    double p = std::clamp(-std::tan(finite(pitch_deg) * kDegree), -1.0, 1.0);
    // 45 degrees is the edge, which rounding must not miss by the last bit.
    constexpr double kEdge = 1.0 - 1e-9;
    if (std::fabs(p) > kEdge) p = p > 0.0 ? 1.0 : -1.0;
    s.p = static_cast<float>(p);
    if (p >= 1.0) {
        s.ig1 = 0;
        s.ig2 = 71;
        s.c = 0.0F;
        return s;
    }
    if (p <= -1.0) {
        s.ig1 = s.ig2 = 36;
        s.c = 0.0F;
        return s;
    }
    // Up to point 35: on the unit circle a line just above -1 passes below point 35.
    for (int i = 0; i <= 35; ++i) {
        const auto& inner = circle.inner;
        if (inner[static_cast<std::size_t>(i)].y >= s.p &&
            s.p > inner[static_cast<std::size_t>(i) + 1].y)
            s.ig1 = i;
    }
    s.ig2 = kCirclePoints - s.ig1;
    // The line's true half chord on the circle, so that sky and ground meet without a gap.
    const double r = circle.fg1;
    s.c = static_cast<float>(std::sqrt(std::max(r * r - p * p, 0.0)));
    return s;
}

float line_width_factor(int width) {
    return static_cast<float>(width - 120) / 240.0F + 1.0F;
}

float line_width(float multiple, float lwf) {
    return std::max(multiple * lwf, 1.0F);
}

int fitted_horizon_font_size(int width, int height, const MeasureAtSize& measure,
                             std::vector<std::string>* trace) {
    const int r2 = width * width / 4;
    // Beyond the window's height no font can fit better; a measurer that reports nothing
    // would otherwise never end the search.
    const int largest = std::max(height, 1);
    int size = static_cast<int>(width * 0.5 * 0.225) - 1;
    size = std::clamp(size, 1, largest);
    for (;; ++size) {
        const TextSize box = measure(size);
        const int xc = width / 2 - box.width;
        const int yc = height / 2 - box.height;
        const int rc2 = xc * xc + yc * yc;
        if (trace != nullptr) {
            char line[96];
            std::snprintf(line, sizeof line, "HorFontSize xc yc rc2 r2 %d %d %d %d %d\n", size, xc,
                          yc, rc2, r2);
            trace->push_back(line);
        }
        if (rc2 <= r2 || size >= largest) return size;
    }
}

int horizon_font_size(int setting, int text_font_size, int width, int height,
                      const MeasureAtSize& measure, std::vector<std::string>* trace) {
    if (setting == -1) return fitted_horizon_font_size(width, height, measure, trace);
    if (setting == 0) return text_font_size;
    return setting;
}

float relative_wind(float compass, float wind_dir) {
    double r = std::fmod(finite(compass) - finite(wind_dir), 360.0);
    if (r > 180.0) r -= 360.0;
    if (r < -180.0) r += 360.0;
    return static_cast<float>(r);
}

float slip_tip_x(int width, float slip, int mode) {
    const double s = finite(slip);
    const double share = mode == 2 ? std::sin(3.0 * s) * 0.48 + 0.5 : s * 0.8 + 0.5;
    // A slip beyond the scale keeps the tip at the window's edge, where it is still seen.
    return static_cast<float>(width * std::clamp(share, 0.0, 1.0));
}

int g_tick_length(int k) {
    return k % 5 == 0 ? 10 : 5;
}

GMeter g_meter(int height, float gforce, float g_min, float g_max) {
    GMeter m;
    const auto at = [height](double g) { return height * (g / 20.0 + 0.5); };
    for (int k = -10; k <= 10; ++k)
        m.ticks.push_back(std::clamp(static_cast<int>(at(k)), 1, std::max(height - 1, 1)));
    m.bar_top =
        static_cast<float>(std::clamp(at(finite(gforce)), 0.0, static_cast<double>(height)));
    const auto mark = [&](double g) {
        return static_cast<int>(std::clamp(at(finite(g)), -1.0e6, 1.0e6));
    };
    m.min_mark = mark(g_min);
    m.max_mark = mark(g_max);
    if (m.min_mark < 0) m.min_mark = 1;
    if (m.max_mark > height) m.max_mark = height - 1;
    return m;
}

} // namespace kalveo
