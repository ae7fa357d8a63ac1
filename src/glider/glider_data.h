// glider/glider_data: the glider data file (Settings\Kalveo_data.txt) with
// VNE, ballast, masses and flap speeds of the simulator's gliders.
#pragma once

#include "glider/records.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kalveo {

/// Name of the shipped glider data file, relative to the program folder.
inline constexpr std::string_view kGliderDataFile = "Settings\\Kalveo_data.txt";

/// Longest line of the data file; the rest of a longer line is ignored.
inline constexpr std::size_t kDataLineLength = 132;

/// The values a matching entry sets, as the lookup found them: the flight's set-up
/// stores them in its records. Speeds in m/s, masses in kg.
struct GliderValues {
    double vne = 0;
    double balmax = 0;
    double rmass = 0;
    double mmass = 0;
    std::array<double, kMaxFlaps + 1> vflap100{}; ///< 1..nflap, rising
    std::array<std::string, kMaxFlaps + 1> cflap; ///< 1..nflap, at most 10 characters
    int nflap = 0;
    int nflmax = 0;    ///< position of the longest flap name
    int lflmax = 0;    ///< length of the longest flap name
    std::string glnam; ///< name of the entry, at most 32 characters
};

/// What a scan of the data file met.
struct GliderScan {
    int entries = 0;                    ///< glider entries met in the simulator sections
    bool matched = false;               ///< an entry carried the glider's name
    bool vne_found = false;             ///< a matching entry gave a usable VNE
    std::vector<std::string> log_lines; ///< for the run log, in order
};

/// Scans the data file's text for glider `ggg` flown in simulator version
/// `cndrvers` and applies every matching entry to `values` in turn, so the
/// last one read decides what it sets. An entry item that cannot be read ends
/// that entry, with a log line; what was read before it stays.
GliderScan scan_glider_data(std::string_view text, std::string_view ggg, int cndrvers,
                            GliderValues& values);

/// The data-file version from the text's "[Version]" section; 0 when there is
/// none or it is not a whole number.
[[nodiscard]] int scan_data_version(std::string_view text);

/// Why `text` is not a whole glider data file (no version, no entries, or the first
/// entry line that does not read), or empty when every entry reads.
[[nodiscard]] std::string glider_data_problem(std::string_view text);

/// Looks glider `ggg` up in file `fff` for the active simulator version `cndrvers`
/// and applies what a match sets to `values`, which start as the values in force
/// (the flap table always starts empty); the scan tells what was met. A file
/// that cannot be read counts as one without entries.
GliderScan lookup_glider(std::string_view fff, std::string_view ggg, int cndrvers,
                         GliderValues& values);

/// In version mode (`qversion`) the file's data version (0 when it cannot be
/// read or has none), leaving `values` alone; else the number of glider
/// entries met, after applying a matching entry to `values` as lookup_glider does.
int read_data(std::string_view fff, std::string_view ggg, bool qversion, int cndrvers,
              GliderValues& values);

} // namespace kalveo
