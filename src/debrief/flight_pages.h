// debrief/flight_pages: the pages of the kept flights: the page of a flight file, the pages a
// killed run left unwritten, and the last page, opened in the desktop's browser.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kalveo::debrief {

/// The folder of the kept flights, beside Logs in the program folder.
inline constexpr const char* kFlightsFolder = "Flights";

struct PageOfFlight {
    std::filesystem::path page; ///< empty when none was written
    int samples = 0;            ///< samples the flight file gave
    std::string problem;        ///< empty when the whole file read and the page was written
};

/// Writes the page of a flight file as it is, whole or cut short by a crash (a file cut short
/// is named in `problem`, the page written all the same), with the chart library of the
/// program folder `program`.
[[nodiscard]] PageOfFlight write_page_of(const std::filesystem::path& flight_file,
                                         const std::filesystem::path& program);

/// The flight files in `folder` that have no page beside them, oldest first.
[[nodiscard]] std::vector<std::filesystem::path>
flights_without_page(const std::filesystem::path& folder);

/// The newest page in `folder`; empty when there is none.
[[nodiscard]] std::filesystem::path last_page(const std::filesystem::path& folder);

/// Opens the newest page of `folder` in the desktop's browser, without waiting; logs what it
/// did. False when there was no page or no browser could be started.
bool open_last_page(const std::filesystem::path& folder);

} // namespace kalveo::debrief
