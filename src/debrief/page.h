// debrief/page: the page of a flight: one HTML file that opens offline in any browser, the
// chart library inside it, with the summary and the charts of the flight.
#pragma once

#include "debrief/kept_flight.h"

#include <filesystem>
#include <string>

namespace kalveo::debrief {

/// The chart library the page embeds, as shipped in the program folder's Debrief folder.
struct ChartLibrary {
    std::string script;
    std::string style;
    std::string problem; ///< empty when both files were read
};

/// Folder of the chart library, relative to the program folder.
inline constexpr const char* kChartLibraryFolder = "Debrief";

[[nodiscard]] ChartLibrary read_chart_library(const std::filesystem::path& folder);

/// The page's HTML.
[[nodiscard]] std::string flight_page(const KeptFlight& flight, const ChartLibrary& library);

/// The page of a flight file: its name with .html, beside it.
[[nodiscard]] std::filesystem::path page_file_of(const std::filesystem::path& flight_file);

/// Writes the page (through a temporary file beside it). Returns an empty text, or what went
/// wrong.
[[nodiscard]] std::string write_flight_page(const std::filesystem::path& page,
                                            const KeptFlight& flight, const ChartLibrary& library);

} // namespace kalveo::debrief
