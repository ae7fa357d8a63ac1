// flight/records: alarm thresholds, processing constants, run states and flap table of a flight.
#pragma once

#include "glider/records.h"

#include <array>
#include <string>

namespace kalveo {

// Arrays that the program numbers from 1 have one slot more than their
// count; slot 0 is unused so that numbers in logs and files match.

/// Speed thresholds of the VNE alarm and the processing constants of the per-packet cycle.
/// A speed threshold below -1000 means "not set".
struct MyTas0Record {
    /// Alarm start speed, vne - dv1 (m/s, true airspeed).
    double va1 = 0.0;
    /// End of the graded alarm band, va1 + dv2 (m/s).
    double va2 = -10000.0;
    /// Never-exceed speed of the flight (m/s, true airspeed); settings give display units.
    double vne = -10000.0;
    /// Margin below vne at which the alarm starts (m/s; settings give display units).
    double dv1 = -10000.0;
    /// Width of the graded alarm band above va1 (m/s; settings give display units).
    double dv2 = -10000.0;
    /// Factor from m/s to the display speed unit.
    double fconv = 3.6;
    /// Offset added to altitude= (m); kept only with the QFE altimeter setting, else 0.
    double z_0 = 0.0;
    /// Altitude of the last turnpoint of the flight plan (m); nothing in the cycle reads it.
    double z_fin = 0.0;
    /// Bank angle above which flap sounds are held back (degrees); -15 marks "not set".
    double flapmxbank = -15.0;
    /// Factor applied to altitude= (1.0, or 0.3048 when the simulator sends feet).
    double fconv_alt = 1.0;
    /// Factor from m/s to the vario display unit (1.0 or 1.9438444 for knots).
    double fconv_vz = 1.0;
    /// Mass (and load-factor) factor applied to the airspeed for the flap advice.
    double fmulf = 1.0;
    /// Atmosphere model: 0 standard atmosphere, otherwise the simulator's task weather.
    int atmo_mod = 0;
    /// True: standard atmosphere; false: the simulator's atmosphere (derived per flight).
    bool qatmo_isa = true;
    /// Time constant of the speed-change filter of polar mode (s).
    double tau_vz = 0.3333;
    /// Time constant of the flap speed filter (s); the settings replace it.
    double tau_v = 0.3333;
    /// Time constant of the flap position filter (s); the settings replace it.
    double tau_f = 0.66666;
    /// Turn-rate time constant (s); nothing reads it.
    double tau_om = 2.0;
    /// Time constant of the bank filter (s).
    double tau_bank = 2.0;
    /// Netto time constant (s); nothing reads it.
    double tau_ne = 1.0;
    /// The simulator sends an electronic vario (evario=); nothing reads it.
    bool q_e_vario = false;
    /// Record one polar point at the next steady packet (polar mode).
    bool qwrpol = false;
    /// Display speed unit in force: the settings' unit, the simulator's once a flight starts
    /// when the settings follow it (-1). 0 km/h, 1 kts, 2 mph, 3 kFpf, 4 custom.
    int nunit = 0;
    /// Altitudes above the airfield (the simulator's altimeter set to QFE).
    bool qfe = false;
    /// The simulator sends flaps=, water=, MC= (seen in a datagram of the flight).
    bool qflap_c = false;
    bool qball_c = false;
    bool qmc_c = false;
};

/// The alarm speeds that follow from a VNE and its margins (m/s).
struct AlarmSpeeds {
    double va1 = 0.0; ///< alarm start, vne - dv1
    double va2 = 0.0; ///< end of the graded band, va1 + dv2
};

/// The one place the alarm speeds are worked out: defaults, the flight set-up and the
/// live margin change all use it.
[[nodiscard]] inline AlarmSpeeds alarm_speeds(double vne, double dv1, double dv2) {
    const double va1 = vne - dv1;
    return {va1, va1 + dv2};
}

/// Texts of a flight: the unit names and the flight plan.
struct FlightTexts {
    /// Unit names by unit number 0..5: "kmh", "kts", "mph", "kFpf", blank, blank (10 characters).
    std::array<std::string, 6> cunit_def{"kmh", "kts", "mph", "kFpf", "", ""};
    /// Name of the active display speed unit (at most 40 characters).
    std::string cunit;
    /// Flight-plan file of the flight (a simulator path, at most 256 characters).
    std::string fplfile;
};

/// Run state of an average or a timer. The logs write it as its number.
enum class RunState : int {
    reset = -1,  ///< cleared (a timer at zero, an average that starts again)
    stopped = 0, ///< holding its value
    running = 1,
};

/// The number the logs write for a run state.
[[nodiscard]] constexpr int run_number(RunState state) {
    return static_cast<int>(state);
}

/// Run states of the averages and timers: -1 reset requested, 0 stopped, 1 running.
struct ChronoRecord {
    /// Netto average.
    RunState run_nv = RunState::reset;
    /// Climb average.
    RunState run_iv = RunState::stopped;
    /// Stopwatch.
    RunState run_tim = RunState::stopped;
    /// Task timer.
    RunState run_tsktim = RunState::reset;
};

/// Flap table of the glider and the position set in the simulator.
/// Positions run from 1 (slowest, landing) to nflap (fastest).
struct Flaps0Record {
    /// Flap speeds from the glider data, by position (m/s, indicated).
    std::array<double, kMaxFlaps + 1> vflap{};
    /// Flap speeds used for the advice, by position (m/s, indicated, at the reference mass).
    std::array<double, kMaxFlaps + 1> vflap100{};
    /// Number of flap positions; 0 means no flaps.
    int nflap = 0;
    /// Position whose name is the longest.
    int nflmax = 0;
    /// Length of the longest position name (characters).
    int lflmax = 0;
    /// Position set in the simulator: nflap - flaps=.
    int nfl_act = 0;
};

/// Names of the flap positions.
struct FlapsCRecord {
    /// Name of each position as shown to the pilot (at most 10 characters).
    std::array<std::string, kMaxFlaps + 1> cflap{};
};

/// Volumes of the flight's sounds: the settings give them, a hotkey changes sndvol in flight.
struct VolumesRecord {
    /// General volume, 0 to 1 (setting "General volume").
    double sndvol = 0.5;
    /// Volume of the flap and landing sounds relative to sndvol, 0 to 1 (setting "Flaps volume").
    double flapvol = 0.5;
};

/// What the pilot switches and sets in flight. The flight cycle owns it: the settings give
/// it at each start-up pass, the keys change it through the cycle's commands, the alarm, the
/// flap advice and the averages read it.
struct PilotControls {
    /// VNE alarm on.
    bool vne_alarm = true;
    /// Flap sounds on ("Flaps Alarm Init", -f, then the flap-sound key; a glider with flaps).
    bool flap_sounds = false;
    VolumesRecord volumes;
    ChronoRecord chrono;
};

/// What the windows show of the pilot's controls, as the cycle reports them.
struct InstrumentStatus {
    bool vne_alarm = true;
    bool flap_sounds = true;
    /// General volume, 0 to 1.
    float volume = 0.5F;
    /// Alarm margin below the VNE (whole display units).
    int margin = 10;
    /// Run states as the pilot sees them: a start from zero shows as running.
    RunState netto_average = RunState::reset;
    RunState climb_average = RunState::stopped;
    RunState stopwatch = RunState::stopped;
    RunState task_timer = RunState::reset;

    bool operator==(const InstrumentStatus&) const = default;
};

/// What the flight cycle keeps of a flight besides its per-packet values: the alarm speeds,
/// unit factors and filter constants, the flap table and its names, the unit and plan texts.
/// The settings start it at each start-up pass; the flight's set-up completes it.
struct FlightRecords {
    MyTas0Record my_tas_0;
    Flaps0Record flaps_0;
    FlapsCRecord flaps_c;
    FlightTexts texts;
    /// The first datagram of the flight has been processed (its set-up done).
    bool condor_started = false;
};

} // namespace kalveo
