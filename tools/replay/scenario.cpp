#include "replay/scenario.h"

#include "glider/atmosphere.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kalveo::replay {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kG = 9.80665;
constexpr double kKmhPerMs = 3.6;
constexpr double kGlideKmh = 100.0;
constexpr double kRecoveryKmh = 150.0;
constexpr double kGlideSink = 0.8;      // m/s
constexpr double kDiveSink = 9.0;       // m/s
constexpr double kAngleOfAttack = 0.04; // rad, the wing's incidence at cruising speeds
constexpr double kStepS = 0.02;         // integration step (s)

// Thermal: circles at 42° of bank, climbing in air that rises faster than the glider's sink.
constexpr double kCircleKmh = 95.0;
constexpr double kCircleBank = 42.0;
constexpr double kCircleClimb = 1.8;
constexpr double kThermalNetto = 2.9;
constexpr double kSinkingAir = -0.5; // netto of the air between thermals

class Builder {
  public:
    Phase& add(const std::string& name, double tas, double length, double sink) {
        Phase p;
        p.start_s = phases_.empty() ? 0.0 : phases_.back().start_s + phases_.back().duration_s;
        p.duration_s = length;
        p.name = name;
        p.tas_kmh = tas;
        p.sink_ms = sink;
        phases_.push_back(p);
        return phases_.back();
    }
    std::vector<Phase> take() { return std::move(phases_); }
    Phase& phases_back() { return phases_.back(); }
    [[nodiscard]] bool empty() const { return phases_.empty(); }

  private:
    std::vector<Phase> phases_;
};

// The middle of alarm level `level`'s quarter of the band.
double level_speed(const ScenarioOptions& o, int level) {
    const double va1 = o.vne_kmh - o.dv1_kmh;
    return va1 + (level + 0.5) * o.dv2_kmh / 4.0;
}

void add_glide(Builder& b, const ScenarioOptions& o) {
    b.add("glide", kGlideKmh, o.glide_s, kGlideSink).netto_ms = kSinkingAir;
}

void add_dive(Builder& b, const ScenarioOptions& o) {
    const double va1 = o.vne_kmh - o.dv1_kmh;
    b.add("dive, below the alarm", va1 - 10.0, o.hold_s, kDiveSink);
    for (int level = 0; level <= 3; ++level)
        b.add("dive", level_speed(o, level), o.hold_s, kDiveSink).alarm_level = level;
    for (int level = 2; level >= 0; --level)
        b.add("pulling out", level_speed(o, level), o.hold_s, kDiveSink / 2).alarm_level = level;
    b.add("recovered", kRecoveryKmh, o.hold_s, kGlideSink);
}

// The time of one full circle at the thermal's speed and bank.
double circle_seconds() {
    const double v = kCircleKmh / kKmhPerMs;
    return 2.0 * kPi * v / (kG * std::tan(kCircleBank * kPi / 180.0));
}

void add_thermal(Builder& b, const ScenarioOptions& o) {
    Phase& entry = b.add("thermal entry", kCircleKmh, 4.0, -0.5);
    entry.bank_deg = kCircleBank;
    entry.ramp_s = 3.0;
    entry.netto_ms = 1.5;
    Phase& circles = b.add("circling", kCircleKmh, o.circles * circle_seconds(), -kCircleClimb);
    circles.bank_deg = kCircleBank;
    circles.netto_ms = kThermalNetto;
    Phase& exit = b.add("thermal exit", 110.0, 4.0, 0.5);
    exit.ramp_s = 3.0;
    exit.netto_ms = 0.5;
    b.add("glide on", 110.0, o.glide_s, 1.0).netto_ms = kSinkingAir;
}

// The flapped glider's positions: 1 the landing flap (+28) to 7 (-2). Each speed change
// first; the lever follows 2.5 s later, before the advice would be called again.
void add_cruise(Builder& b) {
    struct Step {
        const char* name;
        double tas;
        int lever;
        const char* advice;
    };
    const Step steps[] = {
        {"cruise", 105.0, 4, "+8"},   {"speeding up", 140.0, -1, "+3, up"},
        {"lever +3", 140.0, 5, "+3"}, {"speeding up", 185.0, -1, "0, up"},
        {"lever 0", 185.0, 6, "0"},   {"speeding up", 225.0, -1, "-2, up"},
        {"lever -2", 225.0, 7, "-2"},
    };
    for (const Step& s : steps) {
        const bool speeding = s.lever < 0;
        Phase& p = b.add(s.name, s.tas, speeding ? 2.5 : 5.0, s.tas / 100.0);
        p.ramp_s = speeding ? 2.0 : 0.0;
        p.flap_lever = s.lever;
        p.advice = s.advice;
    }
}

// After a dive the lever comes back to +3 first.
void add_landing(Builder& b, bool after_dive) {
    if (after_dive) {
        b.phases_back().advice = "+3, down";
        Phase& lever = b.add("lever +3", kRecoveryKmh, 3.0, kGlideSink);
        lever.flap_lever = 5;
        lever.advice = "+3";
    }
    Phase& slow = b.add("slowing down", 105.0, 3.0, 0.8);
    slow.ramp_s = 2.0;
    slow.advice = "+8, down";
    Phase& lever = b.add("lever +8", 105.0, 4.0, 0.8);
    lever.flap_lever = 4;
    lever.advice = "+8";
    Phase& landing = b.add("landing flap", 95.0, 4.0, 1.2);
    landing.ramp_s = 2.0;
    landing.flap_lever = 1;
    landing.advice = "landing";
}

} // namespace

std::vector<Phase> scenario_phases(const ScenarioOptions& o) {
    Builder b;
    const std::string& n = o.name;
    if (n == "glide" || n == "flight" || n == "thermal" || n == "tour") add_glide(b, o);
    if (n == "thermal" || n == "tour") add_thermal(b, o);
    if (n == "cruise" || n == "tour") add_cruise(b);
    if (n == "dive" || n == "flight" || n == "tour") add_dive(b, o);
    if (n == "cruise" || n == "tour") add_landing(b, n == "tour");
    return b.take();
}

bool scenario_has_flaps(const ScenarioOptions& o) {
    return o.name == "cruise" || o.name == "tour";
}

double flight_length(const std::vector<Phase>& phases) {
    return phases.empty() ? 0.0 : phases.back().start_s + phases.back().duration_s;
}

// The inverse of what the program does with each datagram, so the true speeds
// of the scenario are the ones it shows.
double indicated_from_true(double tas_ms, double altitude_m) {
    return tas_ms / fmulatm_at(static_cast<float>(altitude_m), true, 0.0F, 0.0F);
}

Flight::Flight(std::vector<Phase> phases, ScenarioOptions options)
    : phases_(std::move(phases)), options_(std::move(options)),
      flaps_(scenario_has_flaps(options_)) {
    restart();
}

void Flight::restart() {
    now_ = State{};
    now_.altitude = options_.altitude_m;
    now_.lever = kFlappedGliderPositions / 2 + 1;
    if (!phases_.empty()) {
        now_.tas = phases_.front().tas_kmh / kKmhPerMs;
        now_.bank = phases_.front().bank_deg * kPi / 180.0;
        now_.vario = -phases_.front().sink_ms;
        if (phases_.front().flap_lever > 0) now_.lever = phases_.front().flap_lever;
    }
}

const Phase* Flight::phase_at(double t) const {
    const Phase* now = phases_.empty() ? nullptr : &phases_.front();
    for (const Phase& p : phases_) {
        if (t < p.start_s) break;
        now = &p;
    }
    return now;
}

// Speed and bank move linearly from the previous phase's to this one's during its ramp.
void Flight::targets(double t, double& tas, double& bank, double& sink, double& netto) const {
    const Phase* p = phase_at(t);
    if (p == nullptr) return;
    const Phase* before = p == &phases_.front() ? p : p - 1;
    const double f = p->ramp_s > 0 ? std::clamp((t - p->start_s) / p->ramp_s, 0.0, 1.0) : 1.0;
    tas = (before->tas_kmh + f * (p->tas_kmh - before->tas_kmh)) / kKmhPerMs;
    bank = (before->bank_deg + f * (p->bank_deg - before->bank_deg)) * kPi / 180.0;
    sink = before->sink_ms + f * (p->sink_ms - before->sink_ms);
    netto = before->netto_ms + f * (p->netto_ms - before->netto_ms);
}

void Flight::step(double dt) {
    double tas = now_.tas, bank = now_.bank, sink = -now_.vario, netto = 0.0;
    targets(now_.t + dt, tas, bank, sink, netto);
    // Turn rate of a coordinated turn at this bank and speed.
    const double turn = kG * std::tan(bank) / std::max(tas, 1.0);
    now_.heading_deg = std::fmod(now_.heading_deg + turn * dt * 180.0 / kPi + 360.0, 360.0);
    now_.altitude -= sink * dt;
    now_.tas = tas;
    now_.bank = bank;
    now_.vario = -sink;
    now_.t += dt;
    if (const Phase* p = phase_at(now_.t); p != nullptr && p->flap_lever > 0)
        now_.lever = p->flap_lever;
}

FlightSample Flight::at(double t) {
    if (t < now_.t - 1e-9) restart();
    FlightSample s;
    s.time_h = 12.0 + t / 3600.0;
    const Phase* p = phase_at(t);
    if (p == nullptr) return s;
    const double tas_before = now_.tas;
    const double bank_before = now_.bank;
    const double from = now_.t;
    while (now_.t < t - 1e-9)
        step(std::min(kStepS, t - now_.t));
    const double span = now_.t - from;
    double tas = now_.tas, bank = now_.bank, sink = 0.0, netto = 0.0;
    targets(t, tas, bank, sink, netto);

    const double vz = now_.vario;
    const double glide_angle = std::asin(std::clamp(vz / std::max(tas, 1.0), -1.0, 1.0));
    // Incidence falls with the square of the speed; at high speed the nose sits on the path.
    const double incidence = kAngleOfAttack * std::pow(100.0 / kKmhPerMs / std::max(tas, 1.0), 2);
    s.altitude = now_.altitude;
    s.height = now_.altitude - 200.0;
    s.airspeed = indicated_from_true(tas, now_.altitude);
    s.vario = vz;
    s.along_accel = span > 0 ? (tas - tas_before) / span : 0.0;
    s.evario = vz + tas * s.along_accel / kG;
    s.netto = netto;
    s.integrator = vz;
    s.heading_deg = now_.heading_deg;
    s.pitch = glide_angle + std::min(incidence, 0.15);
    s.bank = bank;
    s.roll_rate = span > 0 ? (bank - bank_before) / span : 0.0;
    s.turn_rate = kG * std::tan(bank) / std::max(tas, 1.0);
    s.gforce = 1.0 / std::cos(bank);
    s.ground_speed = std::sqrt(std::max(tas * tas - vz * vz, 0.0));
    // The wind blows from `wind_from_deg`: towards the opposite side (x west, y north).
    const double from_rad = options_.wind_from_deg * kPi / 180.0;
    const double wind = options_.wind_kmh / kKmhPerMs;
    s.wind_x = wind * std::sin(from_rad);
    s.wind_y = -wind * std::cos(from_rad);
    if (flaps_) s.flaps = kFlappedGliderPositions - now_.lever;
    return s;
}

FlightSample sample_at(const std::vector<Phase>& phases, const ScenarioOptions& o, double t) {
    Flight flight(phases, o);
    return flight.at(t);
}

} // namespace kalveo::replay
