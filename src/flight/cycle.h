// flight: the per-packet cycle (my_tas) that turns each telemetry datagram into true
// airspeed, the VNE alarm, flap advice, averages, timers and the display's values;
// the per-flight set-up at a flight's first datagram; polar measurement mode.
#pragma once

#include "config/settings_value.h"
#include "flight/cycle_state.h"
#include "flight/datagram.h"
#include "flight/flight_setup.h"
#include "flight/outputs.h"

#include <cstddef>
#include <functional>
#include <string_view>

namespace kalveo {

/// my_tas's answer while start-up has not finished.
inline constexpr int kNotInitialisedResult = 25;

/// The per-packet cycle and the values it keeps between packets.
class FlightCycle {
  public:
    /// What the first datagram of a flight learns from the simulator's files.
    using FlightSetUp = std::function<void()>;

    /// `out` must outlive the cycle; start-up may connect its functions at any time.
    explicit FlightCycle(FlightOutputs& out, FlightSetUp set_up = learn_flight_from_simulator);

    /// Processes the datagram just received: its first `length` bytes (at most 1024,
    /// up to a NUL). Returns the true airspeed in display units; 25 before start-up
    /// has finished. A datagram without a readable airspeed or time changes nothing
    /// and returns the previous result.
    int my_tas(const char* buffer, std::size_t length);
    int my_tas(std::string_view datagram) { return my_tas(datagram.data(), datagram.size()); }

    [[nodiscard]] const CycleState& state() const { return state_; }

    /// The settings the flight's set-up and advice work with; start-up hands them over on
    /// every pass (until then the defaults).
    void take_settings(const Settings& settings) { settings_ = settings; }

  private:
    struct Packet;

    void start_flight(const TelemetryPacket& p);
    void take_values(const TelemetryPacket& p);
    void compute_air_data(Packet& pk) const;
    void compute_wind_and_track(Packet& pk);
    void compute_time_steps(Packet& pk);
    void run_filters(Packet& pk);
    void record_polar(const Packet& pk);
    void keep_history(const Packet& pk);
    void hand_to_display(const Packet& pk);
    double wall_seconds() const;

    FlightOutputs& out_;
    FlightSetUp set_up_;
    Settings settings_;
    CycleState state_;
};

} // namespace kalveo
