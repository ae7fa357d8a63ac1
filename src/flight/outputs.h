// flight/outputs: the calls the per-packet cycle makes out of flight processing
// (sound, display, beep) and the clocks it reads, as replaceable functions.
//
// Start-up connects the real sound engine and display; tests connect recorders
// and a fake clock. An empty function is a call that does nothing.
#pragma once

#include "glider/polar_curve.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string_view>

namespace kalveo {

/// Values handed to the display once per packet, indexed as the display reads them
/// (0 bank, 1 pitch, 2 netto, 3 climb average, 4 heading, ...; 41 slots).
inline constexpr int kDisplayValueCount = 41;
using DisplayValues = std::array<double, kDisplayValueCount>;

/// Speed trace of polar mode: slots 0..200 used, relative to the present speed.
inline constexpr int kTraceLength = 201;
using SpeedTrace = std::array<double, 301>;

/// Recorded polar points fill table entries 1..kRecordedPolarMax; the reference
/// polar starts after them.
inline constexpr int kRecordedPolarMax = kReferencePolarFirst - 1;

/// Display thresholds and fixed values of a flight, indexed as the display reads them.
inline constexpr int kFlightLayoutCount = 14;
using FlightLayout = std::array<int, kFlightLayoutCount>;

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
    std::function<int(const FlightLayout& opt, std::string_view flap, std::string_view unit)>
        upd_vne;
    /// Flap advice: position name and direction (1 up, -1 down, 0 in place).
    std::function<void(std::string_view flap, int mflap)> upd_flp;
    /// Once per packet: stopwatch, task timer and clock texts, the values, polar-mode data.
    std::function<void(std::string_view tim, std::string_view tsktim, std::string_view clk,
                       const DisplayValues& val, const SpeedTrace& vv, int nbpol, int nbfpl,
                       const PolarTable& vp)>
        upd_ang;
    /// A tone of `freq` Hz for `dur` ms.
    std::function<void(int freq, int dur)> my_beep;
    /// A steadily running counter (s); only differences count.
    std::function<double()> counter_seconds;
    /// Milliseconds since local midnight.
    std::function<int()> ms_of_day;
};

/// Outputs whose clocks read the system clocks and whose other calls do nothing.
[[nodiscard]] FlightOutputs default_flight_outputs();

/// The outputs of the program's own cycle; start-up connects the real ones.
FlightOutputs& flight_outputs();

} // namespace kalveo
