#include "replay/scenario.h"

#include "glider/atmosphere.h"

#include <cmath>

namespace kalveo::replay {

namespace {

constexpr double kKmhPerMs = 3.6;
constexpr double kGlideKmh = 100.0;
constexpr double kRecoveryKmh = 150.0;
constexpr double kGlideSink = 0.8;    // m/s
constexpr double kDiveSink = 9.0;     // m/s
constexpr double kGlidePitch = -0.03; // rad
constexpr double kDivePitch = -0.20;  // rad

void add(std::vector<Phase>& phases, const std::string& name, double tas, int level, double length,
         double sink) {
    Phase p;
    p.start_s = phases.empty() ? 0.0 : phases.back().start_s + phases.back().duration_s;
    p.duration_s = length;
    p.name = name;
    p.tas_kmh = tas;
    p.alarm_level = level;
    p.sink_ms = sink;
    phases.push_back(p);
}

// The middle of alarm level `level`'s quarter of the band.
double level_speed(const ScenarioOptions& o, int level) {
    const double va1 = o.vne_kmh - o.dv1_kmh;
    return va1 + (level + 0.5) * o.dv2_kmh / 4.0;
}

void add_dive(std::vector<Phase>& phases, const ScenarioOptions& o) {
    const double va1 = o.vne_kmh - o.dv1_kmh;
    add(phases, "dive, below the alarm", va1 - 10.0, -1, o.hold_s, kDiveSink);
    for (int level = 0; level <= 3; ++level)
        add(phases, "dive", level_speed(o, level), level, o.hold_s, kDiveSink);
    for (int level = 2; level >= 0; --level)
        add(phases, "pulling out", level_speed(o, level), level, o.hold_s, kDiveSink / 2);
    add(phases, "recovered", kRecoveryKmh, -1, o.hold_s, kGlideSink);
}

} // namespace

std::vector<Phase> scenario_phases(const ScenarioOptions& o) {
    std::vector<Phase> phases;
    if (o.name == "glide" || o.name == "flight")
        add(phases, "glide", kGlideKmh, -1, o.glide_s, kGlideSink);
    if (o.name == "dive" || o.name == "flight") add_dive(phases, o);
    return phases;
}

double flight_length(const std::vector<Phase>& phases) {
    return phases.empty() ? 0.0 : phases.back().start_s + phases.back().duration_s;
}

// The inverse of what the program does with each datagram, so the true speeds
// of the scenario are the ones it shows.
double indicated_from_true(double tas_ms, double altitude_m) {
    return tas_ms / fmulatm_at(static_cast<float>(altitude_m), true, 0.0F, 0.0F);
}

FlightSample sample_at(const std::vector<Phase>& phases, const ScenarioOptions& o, double t) {
    FlightSample s;
    s.time_h = 12.0 + t / 3600.0;
    double altitude = o.altitude_m;
    const Phase* now = phases.empty() ? nullptr : &phases.front();
    for (const Phase& p : phases) {
        if (t < p.start_s) break;
        now = &p;
        altitude -= p.sink_ms * std::fmin(t - p.start_s, p.duration_s);
    }
    if (now == nullptr) return s;
    const double tas = now->tas_kmh / kKmhPerMs;
    const double pitch = now->sink_ms > kGlideSink ? kDivePitch : kGlidePitch;
    s.altitude = altitude;
    s.height = altitude - 200.0;
    s.airspeed = indicated_from_true(tas, altitude);
    s.vario = -now->sink_ms;
    s.pitch = pitch;
    s.ground_speed = tas * std::cos(pitch);
    return s;
}

} // namespace kalveo::replay
