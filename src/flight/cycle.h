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
    /// What the first datagram of a flight learns from the simulator's files, into the
    /// flight's facts (plan, glider, keys) and records, from the pass's settings.
    using FlightSetUp = std::function<void(FlightFacts&, FlightRecords&, const Settings&)>;

    /// `out` must outlive the cycle; start-up may connect its functions at any time.
    explicit FlightCycle(FlightOutputs& out, FlightSetUp set_up = learn_flight_from_simulator);

    /// Processes the datagram just received: its first `length` bytes (at most 1024,
    /// up to a NUL). Returns the true airspeed in display units; 25 before start-up
    /// has finished. A datagram without a readable airspeed or time changes nothing
    /// and returns the previous result.
    int my_tas(const char* buffer, std::size_t length);
    int my_tas(std::string_view datagram) { return my_tas(datagram.data(), datagram.size()); }

    [[nodiscard]] const CycleState& state() const { return state_; }
    /// The flight's records: alarm speeds, unit factors, flap table, texts. Start-up and
    /// tests may set what the settings and the simulator would.
    [[nodiscard]] const FlightRecords& records() const { return records_; }
    [[nodiscard]] FlightRecords& records() { return records_; }

    /// The settings the flight's set-up and advice work with; start-up hands them over on
    /// every pass (until then the defaults). The pilot's controls and the flight's records
    /// start again from them (alarm on, flap sounds and volumes as set, averages and timers
    /// at rest, the settings' unit and speeds), and the next datagram sets up a new flight.
    void take_settings(const Settings& settings);
    [[nodiscard]] const Settings& settings() const { return settings_; }

    /// While held, a datagram is only logged and gives kNotInitialisedResult: start-up holds
    /// the cycle from taking a pass's settings until the pass has finished.
    void hold_datagrams(bool hold) { held_ = hold; }

    /// The simulator's installation as start-up found it; each flight's set-up chooses
    /// the active version in it.
    void take_installation(const Installation& found) { facts_.installation = found; }

    /// The language in use and its texts, for what each flight's set-up tells the pilot.
    void take_language(std::string_view code, const MessagesRecord& texts) {
        facts_.language = code;
        facts_.texts = texts;
    }

    /// What the flight learned at its start, and the glider as it flies.
    [[nodiscard]] const FlightFacts& facts() const { return facts_; }

    // The pilot's commands (the hotkeys); each logs or traces what it did.

    /// VNE alarm on or off.
    void switch_alarm(bool on);
    /// The alarm margin one display unit wider (the alarm starts earlier) or narrower; only
    /// once the flight has its alarm speeds.
    void raise_margin();
    void lower_margin();
    /// The general volume one step up or down; the alarm's middle level plays at the new
    /// volume for the pilot to hear it. Returns the new volume.
    double volume_up();
    double volume_down();
    /// Flap sounds on or off; a glider without flaps keeps them as they are.
    void switch_flap_sounds(bool on);
    /// Netto average: a reset one starts; else a double press resets it and a single press
    /// stops or runs it again.
    void press_netto_average(bool double_press);
    /// Climb average and stopwatch: a stopped one starts from zero, a running one stops.
    void toggle_climb_average();
    void toggle_stopwatch();
    /// Task timer: alone the key starts it from its reset; with Ctrl+Shift it stops the
    /// running timer, and again resets the stopped one.
    void press_task_timer(bool ctrl_shift);
    /// Polar mode: one polar point at the next steady packet.
    void request_polar_point();

    [[nodiscard]] const PilotControls& controls() const { return controls_; }
    /// What the windows show of the controls.
    [[nodiscard]] InstrumentStatus status() const;

  private:
    struct Packet;

    bool held_ = false;

    void start_flight(const TelemetryPacket& p);
    void take_values(const TelemetryPacket& p);
    void compute_air_data(Packet& pk);
    void compute_wind_and_track(Packet& pk);
    void compute_time_steps(Packet& pk);
    void run_filters(Packet& pk);
    void record_polar(const Packet& pk);
    void keep_history(const Packet& pk);
    void hand_to_display(const Packet& pk);
    double wall_seconds() const;
    void set_run(RunState& run, RunState state, const char* name);
    void move_margin(int step);
    double set_volume(double volume);

    FlightOutputs& out_;
    FlightSetUp set_up_;
    Settings settings_;
    PilotControls controls_;
    FlightRecords records_;
    CycleState state_;
    FlightFacts facts_;
};

} // namespace kalveo
