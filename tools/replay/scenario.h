// replay/scenario: the flights the replayer sends, as a list of phases (speed, bank, climb,
// netto, flap lever), and the glider's state at any moment of them: heading from the turn rate
// of the bank, ground speed from true airspeed and wind, height from the climb.
#pragma once

#include "replay/datagram.h"

#include <string>
#include <vector>

namespace kalveo::replay {

struct ScenarioOptions {
    /// "glide", "dive", "flight" (glide, then dive), "thermal", "cruise" or "tour" (glide,
    /// thermal, flapped cruise, dive, landing flap).
    std::string name = "flight";
    double vne_kmh = 280.0;     ///< the glider's VNE (km/h)
    double dv1_kmh = 10.0;      ///< the alarm starts this far below VNE (km/h)
    double dv2_kmh = 20.0;      ///< width of the four-level alarm band (km/h)
    double glide_s = 8.0;       ///< length of the glide (s)
    double hold_s = 3.0;        ///< time at each speed of the dive (s)
    double altitude_m = 1200.0; ///< altitude at the start (m)
    int circles = 3;            ///< full circles in the thermal
    double wind_from_deg = 270; ///< wind direction, where it blows from (degrees)
    double wind_kmh = 15.0;     ///< wind speed (km/h)
};

/// One stretch of the flight. Speed and bank move from the previous phase's values to this
/// one's over `ramp_s` seconds, then hold.
struct Phase {
    double start_s = 0.0;    ///< from the start of the flight (s)
    double duration_s = 0.0; ///< (s)
    std::string name;
    double tas_kmh = 0.0;  ///< true airspeed (km/h)
    int alarm_level = -1;  ///< the VNE alarm level the speed should sound, -1 none
    double sink_ms = 1.0;  ///< sink rate (m/s; negative: climbing)
    double bank_deg = 0.0; ///< bank (degrees, positive right)
    double netto_ms = 0.0; ///< vertical speed of the air (m/s)
    double ramp_s = 0.0;   ///< time to reach this phase's speed and bank (s)
    int flap_lever = -1;   ///< position of the flap lever (1 the landing flap), -1: unchanged
    std::string advice;    ///< what the flap advice should say here, for the timeline
};

/// The phases of a scenario; empty for an unknown name.
[[nodiscard]] std::vector<Phase> scenario_phases(const ScenarioOptions& options);

/// Whether the scenario is flown in a glider with flaps (its datagrams carry flaps=).
[[nodiscard]] bool scenario_has_flaps(const ScenarioOptions& options);

/// The flapped glider of the cruise: its name in the flight plan and its number of flap
/// positions.
inline constexpr const char* kFlappedGlider = "Diana2";
inline constexpr int kFlappedGliderPositions = 7;

/// Length of the flight (s).
[[nodiscard]] double flight_length(const std::vector<Phase>& phases);

/// Indicated airspeed (m/s) of a true airspeed (m/s) at an altitude (m) of the standard
/// atmosphere.
[[nodiscard]] double indicated_from_true(double tas_ms, double altitude_m);

/// The flight, flown forward in small steps: the state at increasing times is cheap; asking
/// for an earlier time flies it again from the start.
class Flight {
  public:
    Flight(std::vector<Phase> phases, ScenarioOptions options);

    /// The glider's state at `t` seconds into the flight.
    [[nodiscard]] FlightSample at(double t);

    [[nodiscard]] const std::vector<Phase>& phases() const { return phases_; }

  private:
    struct State {
        double t = 0.0;
        double altitude = 0.0;
        double heading_deg = 0.0;
        double tas = 0.0;  // m/s
        double bank = 0.0; // rad
        double vario = 0.0;
        int lever = 0;
    };
    [[nodiscard]] const Phase* phase_at(double t) const;
    void targets(double t, double& tas, double& bank, double& sink, double& netto) const;
    void step(double dt);
    void restart();

    std::vector<Phase> phases_;
    ScenarioOptions options_;
    bool flaps_ = false;
    State now_;
};

/// The glider's state at `t` seconds into the flight (flies it from the start).
[[nodiscard]] FlightSample sample_at(const std::vector<Phase>& phases,
                                     const ScenarioOptions& options, double t);

} // namespace kalveo::replay
