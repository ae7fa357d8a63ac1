// What the program's run log tells about a flight: the sounds it played, and the averages
// it printed last (with -d).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kalveo::testing {

/// A sound the run log says was played: its file ("VNE_2", "Flaps_Up") and when (s of the day).
struct Played {
    std::string sound;
    double at_s = 0.0;
};
[[nodiscard]] std::vector<Played> played(const std::filesystem::path& log);

/// Values one after the other, a run of one value counted once.
[[nodiscard]] std::vector<int> level_runs(const std::vector<int>& levels);

/// The alarm levels among the sounds played, in order.
[[nodiscard]] std::vector<int> alarm_levels(const std::vector<Played>& sounds);

/// The last "NETTO AVE" line: run states, times and averages.
struct Averages {
    bool found = false;
    int run_nv = 0;
    double netto_s = 0, netto = 0;
    int run_iv = 0;
    double climb = 0;
};
[[nodiscard]] Averages last_averages(const std::filesystem::path& log);

} // namespace kalveo::testing
