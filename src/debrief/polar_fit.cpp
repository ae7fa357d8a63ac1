#include "debrief/polar_fit.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kalveo::debrief {

std::vector<std::pair<double, double>>
fitted_polar(const std::vector<std::pair<double, double>>& points) {
    if (points.size() < 3) return {};
    double lo = points.front().first, hi = lo;
    for (const auto& p : points) {
        lo = std::min(lo, p.first);
        hi = std::max(hi, p.first);
    }
    if (!(hi - lo > 1e-6)) return {};
    // Normal equations of the parabola in x = (v - lo) / (hi - lo), which keeps them well
    // conditioned; solved by Cramer's rule.
    std::array<double, 5> sx{};
    std::array<double, 3> sy{};
    for (const auto& [v, s] : points) {
        const double x = (v - lo) / (hi - lo);
        double xn = 1.0;
        for (std::size_t k = 0; k < 5; ++k) {
            if (k < 3) sy[k] += s * xn;
            sx[k] += xn;
            xn *= x;
        }
    }
    const auto det3 = [](double a, double b, double c, double d, double e, double f, double g,
                         double h, double i) {
        return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    };
    const double d = det3(sx[4], sx[3], sx[2], sx[3], sx[2], sx[1], sx[2], sx[1], sx[0]);
    if (!(std::abs(d) > 1e-12)) return {};
    const double a = det3(sy[2], sx[3], sx[2], sy[1], sx[2], sx[1], sy[0], sx[1], sx[0]) / d;
    const double b = det3(sx[4], sy[2], sx[2], sx[3], sy[1], sx[1], sx[2], sy[0], sx[0]) / d;
    const double c = det3(sx[4], sx[3], sy[2], sx[3], sx[2], sy[1], sx[2], sx[1], sy[0]) / d;
    std::vector<std::pair<double, double>> curve;
    constexpr int kSteps = 24;
    for (int i = 0; i <= kSteps; ++i) {
        const double x = static_cast<double>(i) / kSteps;
        curve.emplace_back(lo + x * (hi - lo), (a * x + b) * x + c);
    }
    return curve;
}

} // namespace kalveo::debrief
