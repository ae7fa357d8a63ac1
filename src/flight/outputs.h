// flight/outputs: the calls the per-packet cycle makes out of flight processing
// (sound, display, beep) and the clocks it reads, as replaceable functions.
//
// Start-up connects the real sound engine and display; tests connect recorders
// and a fake clock. An empty function is a call that does nothing.
#pragma once

#include "flight/records.h"
#include "glider/polar_curve.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string_view>

namespace kalveo {

/// What the display shows of one packet, already in the pilot's units: speeds in the display
/// unit (km/h, knots, ...), climb rates in the vario unit (m/s or knots).
struct InstrumentReading {
    double bank = 0.0;           ///< bank angle, degrees
    double pitch = 0.0;          ///< pitch angle, degrees
    double netto = 0.0;          ///< netto vario, vario units
    double climb_average = 0.0;  ///< climb average (the integrator), vario units
    double netto_average = 0.0;  ///< netto average, vario units
    double heading = 0.0;        ///< heading, degrees
    double water = 0.0;          ///< water ballast, kg
    double ias = 0.0;            ///< indicated airspeed, whole display units
    double ground_speed = 0.0;   ///< ground speed, whole display units
    double wind_direction = 0.0; ///< wind direction, degrees
    double wind_speed = 0.0;     ///< wind speed, display units
    double yaw_string = 0.0;     ///< yaw-string angle as the simulator sends it
    double load_factor = 0.0;    ///< load factor, g
    double thermal_turns = 0.0;  ///< full turns flown in the present thermal
    InstrumentStatus status;     ///< the pilot's controls as the cycle runs them
    // Polar mode only; 0 otherwise.
    bool recording_polar_point = false; ///< a polar point waits for a steady speed
    double energy_vario = 0.0;          ///< electronic (total-energy) vario, vario units
    double speed_change = 0.0;          ///< change of true airspeed, m/s per second
    double min_sink_speed = 0.0;        ///< speed of least sink of the glider's polar, m/s
};

/// Speed trace of polar mode: slots 0..200 used, relative to the present speed.
inline constexpr int kTraceLength = 201;
using SpeedTrace = std::array<double, 301>;

/// Recorded polar points fill table entries 1..kRecordedPolarMax; the reference
/// polar starts after them.
inline constexpr int kRecordedPolarMax = kReferencePolarFirst - 1;

/// What the display needs of a flight, once, when the glider is known. Speeds are whole
/// display units.
struct FlightLayout {
    int vne = 0;                ///< never-exceed speed
    int dv1 = 0;                ///< the alarm starts this far below vne
    int dv2 = 0;                ///< width of the alarm band above vne - dv1
    int flap_mode = 0;          ///< flap field: 0 none, 1 position and arrow, 2 advice colour
    int max_water = 0;          ///< water ballast capacity, kg; 0 for a glider without tanks
    int water = 0;              ///< water ballast at the start, kg
    int wind_direction = 0;     ///< the flight plan's wind direction turned by 180, degrees
    int wind_speed = 0;         ///< the flight plan's wind speed, m/s
    int chat_open_key = 0;      ///< the simulator's chat key, virtual-key code
    int chat_open_scan = 0;     ///< the simulator's chat key, scan code
    int bug_wipe_scan = 0;      ///< the simulator's bug-wiper key, scan code
    int g_meter_reset_scan = 0; ///< the simulator's g-meter reset key, scan code
    int simulator_version = 0;  ///< major version of the simulator flying
    bool bug_wipers = false;    ///< remind the pilot to clean the wings
    int min_thermal_turns = 0;  ///< thermal turns after which the reminder comes
};

/// Alarm levels: 0 in the first quarter of the band above va1, 3 from three quarters on.
inline constexpr int kAlarmLevels = 4;

/// The calls of the flap advice: move the flaps up, move them down, landing position set.
enum class FlapCall { up, down, landing };
inline constexpr int kFlapCalls = 3;

/// Lengths (s) of the sounds behind the alarm levels and the flap calls, 0 for a sound
/// that is not there; they pace the next sound. Start-up fills them once the sounds
/// have loaded.
struct FlightSoundLengths {
    std::array<double, kAlarmLevels> alarm{};
    std::array<double, kFlapCalls> flap{}; ///< indexed by FlapCall
};

/// Length (s) of the sound of flap call `call`.
[[nodiscard]] inline double flap_call_length(const FlightSoundLengths& lengths, FlapCall call) {
    return lengths.flap[static_cast<std::size_t>(call)];
}

struct FlightOutputs {
    /// Plays the VNE alarm of `level` (0 to kAlarmLevels - 1) at volume 0..1.
    std::function<void(int level, double vol)> play_alarm;
    /// Plays flap call `call` at volume 0..1.
    std::function<void(FlapCall call, double vol)> play_flap_call;
    /// Lengths of the sounds the two calls above play.
    FlightSoundLengths sound_lengths;
    /// Once per flight: alarm speeds and fixed values, the longest flap name, the unit name.
    std::function<int(const FlightLayout& layout, std::string_view flap, std::string_view unit)>
        upd_vne;
    /// Flap advice: position name and direction (1 up, -1 down, 0 in place).
    std::function<void(std::string_view flap, int mflap)> upd_flp;
    /// Once per packet: stopwatch, task timer and clock texts, the values, polar-mode data.
    std::function<void(std::string_view tim, std::string_view tsktim, std::string_view clk,
                       const InstrumentReading& reading, const SpeedTrace& vv, int nbpol, int nbfpl,
                       const PolarTable& vp)>
        upd_ang;
    /// A tone of `freq` Hz for `dur` ms.
    std::function<void(int freq, int dur)> my_beep;
    /// A steadily running counter (s); only differences count.
    std::function<double()> counter_seconds;
};

/// Outputs whose clocks read the system clocks and whose other calls do nothing.
[[nodiscard]] FlightOutputs default_flight_outputs();

} // namespace kalveo
