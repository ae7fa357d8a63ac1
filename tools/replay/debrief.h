// replay/debrief: the page of a recorded flight: its datagrams run through the program's own
// flight cycle, kept by the flight keeper and shown as the program shows a flight.
#pragma once

#include <filesystem>
#include <string>

namespace kalveo::replay {

struct DebriefOptions {
    std::filesystem::path recording;
    std::filesystem::path out_folder; ///< where the flight file and page go; empty: beside it
    /// The glider, looked up in the program's glider data file. Empty: learn the flight from
    /// the simulator installed here (its flight plan, glider and weather), as the program does.
    std::string glider;
    double vne_kmh = -10000.0; ///< VNE when the glider data has none (km/h); below -1000: none
    std::string language = "EN";
    bool polar = false; ///< polar mode: a point is asked for every kPolarAskEvery seconds
    /// 0: as fast as the machine goes; else this many times the recorded pace, as a flight is
    /// kept in flight (to see what a crash leaves).
    double pace = 0.0;
};

/// Seconds between two polar points asked for in a replayed polar-mode flight: a recording
/// does not hold the pilot's keys.
inline constexpr double kPolarAskEvery = 5.0;

struct DebriefResult {
    std::filesystem::path flight_file;
    std::filesystem::path page;
    int datagrams = 0;
    std::string problem; ///< empty when the page was written
};

/// Runs the whole recording through a flight cycle and writes the flight file and its page.
[[nodiscard]] DebriefResult write_debrief(const DebriefOptions& options);

} // namespace kalveo::replay
