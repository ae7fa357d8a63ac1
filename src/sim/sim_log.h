// sim/sim_log: what the simulator's own log file (Logs\Logfile.txt) tells.
#pragma once

#include <string>
#include <vector>

namespace kalveo {

/// Lines of the log looked at for the version line, and their length.
inline constexpr std::size_t kVersionLines = 6;
inline constexpr std::size_t kSimLogLineLength = 132;

/// Major version from the first line starting with "Condor version:" among
/// the given lines (the number after it divided by 1000); 0 when there is
/// none or its number cannot be read.
[[nodiscard]] int major_version_from_log(const std::vector<std::string>& lines);

/// Flight state from all lines of the log: 0 when the last entry into the
/// simulation is before the last leave or the simulator shut down, else 1
/// when it entered a simulation, else -1.
[[nodiscard]] int flight_state_from_log(const std::vector<std::string>& lines);

} // namespace kalveo
