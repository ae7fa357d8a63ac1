// sim/sim_files: access to the simulator's files, named as Windows names them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kalveo {

/// Native path of one of the simulator's files ("C:\Condor3\Logs\Logfile.txt").
/// Windows ignores case in file names and the simulator relies on it (its
/// pilot folder holds "Flightplan.fpl", other places call it "FlightPlan.fpl"),
/// so a part of the name that does not exist as written is matched without
/// case against its folder's entries.
[[nodiscard]] std::filesystem::path simulator_file(std::string_view name);

/// True when the file exists (as a file or a folder).
[[nodiscard]] bool simulator_file_exists(std::string_view name);

/// Modification time of the file in seconds since the epoch, -1 when missing.
[[nodiscard]] std::int64_t simulator_file_time(std::string_view name);

/// The lines of a text file, each cut to `max_len` characters and without its
/// CR LF or LF end. `ok` is false when the file cannot be opened or read.
struct TextLines {
    bool ok = false;
    std::vector<std::string> lines;
};
[[nodiscard]] TextLines read_text_lines(const std::filesystem::path& file, std::size_t max_len,
                                        std::size_t max_lines = SIZE_MAX);

/// Splits text into lines as read_text_lines does.
[[nodiscard]] std::vector<std::string> split_text_lines(std::string_view text, std::size_t max_len,
                                                        std::size_t max_lines = SIZE_MAX);

} // namespace kalveo
