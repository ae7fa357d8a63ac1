#include "glider/polar_curve.h"

#include "report/trace.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kalveo {
namespace {

constexpr int kSpeed = 1;
constexpr int kSink = 2;
constexpr double kKmhPerMs = 3.6;
constexpr double kDefaultSpacing = 3.0; // km/h between samples
constexpr int kMinSamples = 3;
// Samples from entry 101 up to 199, leaving entry 200 for the end mark.
constexpr int kMaxSamples = kPolarTableSize - kReferencePolarFirst;

double bezier(const Rrrppp002Record& segments, double t, int c, int n) {
    if (n < 1 || n > kMaxPolarNodes) {
        return 0.0;
    }
    const auto& p = segments.p_bz;
    const double u = 1.0 - t;
    return u * u * u * p[0][c][n] + 3.0 * t * u * u * p[1][c][n] + 3.0 * t * t * u * p[2][c][n] +
           t * t * t * p[3][c][n];
}

int segment_count(const PlanePolar& polar) {
    return std::clamp(polar.nodes.nbi_bz, 0, kMaxPolarNodes - 1);
}

int total_samples(const PlanePolar& polar, double spacing) {
    int total = 0;
    for (int s = 1; s <= segment_count(polar); ++s) {
        total += samples_for_span(polar.segments.dv_bz[s], spacing);
    }
    return total;
}

} // namespace

Rrrppp002Record build_segments(const Rrrppp000Record& nodes) {
    Rrrppp002Record seg;
    const int last = std::min(nodes.npt_bz, kMaxPolarNodes);
    for (int s = 1; s < last; ++s) {
        seg.p_bz[0][kSpeed][s] = nodes.vv_c[s];
        seg.p_bz[1][kSpeed][s] = nodes.vv_p[s];
        seg.p_bz[2][kSpeed][s] = nodes.vv_m[s + 1];
        seg.p_bz[3][kSpeed][s] = nodes.vv_c[s + 1];
        seg.p_bz[0][kSink][s] = nodes.vz_c[s];
        seg.p_bz[1][kSink][s] = nodes.vz_p[s];
        seg.p_bz[2][kSink][s] = nodes.vz_m[s + 1];
        seg.p_bz[3][kSink][s] = nodes.vz_c[s + 1];
        seg.dv_bz[s] = nodes.vv_c[s + 1] - nodes.vv_c[s];
    }
    return seg;
}

double vv_bz(const Rrrppp002Record& segments, double t, int n) {
    return bezier(segments, t, kSpeed, n);
}

double vz_bz(const Rrrppp002Record& segments, double t, int n) {
    return bezier(segments, t, kSink, n);
}

int samples_for_span(double span, double spacing) {
    const double per_spacing = span / spacing;
    // Nodes out of order or broken numbers still get the minimum.
    if (!std::isfinite(per_spacing) || per_spacing < kMinSamples) {
        return kMinSamples;
    }
    return static_cast<int>(std::lround(std::min(per_spacing, double{kMaxSamples})));
}

int sample_reference_polar(const PlanePolar& polar, PolarTable& vvpol) {
    double spacing = kDefaultSpacing;
    while (total_samples(polar, spacing) > kMaxSamples) {
        spacing *= 1.1;
    }
    int k = kReferencePolarFirst - 1;
    for (int s = 1; s <= segment_count(polar); ++s) {
        const int m = samples_for_span(polar.segments.dv_bz[s], spacing);
        const float dt = 1.0F / static_cast<float>(m);
        for (int j = 0; j < m; ++j) {
            const float t = static_cast<float>(j) * dt;
            ++k;
            vvpol[k] = {vv_bz(polar.segments, t, s) / kKmhPerMs, vz_bz(polar.segments, t, s)};
            trace("%4d %4d %4d %10.6f %12.5f %12.5f\n", s, j, k, static_cast<double>(t),
                  vvpol[k].speed, vvpol[k].sink);
        }
    }
    vvpol[k + 1] = {0.0, 0.0};
    return k;
}

} // namespace kalveo
