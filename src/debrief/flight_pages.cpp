#include "debrief/flight_pages.h"

#include "debrief/flight_file.h"
#include "debrief/page.h"
#include "platform/documents.h"
#include "platform/process.h"
#include "report/log.h"

#include <algorithm>
#include <system_error>

namespace kalveo::debrief {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFlightExtension = ".kflight";

// The files of `folder` with `extension`, oldest name first: names start with date and time.
std::vector<fs::path> files_with(const fs::path& folder, const char* extension) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == extension) found.push_back(it->path());
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

PageOfFlight write_page_of(const fs::path& flight_file, const fs::path& program) {
    PageOfFlight result;
    const KeptFlight flight = read_flight(flight_file);
    result.samples = static_cast<int>(flight.samples.size());
    if (flight.samples.empty()) {
        result.problem = flight_file.string() + ": " +
                         (flight.problem.empty() ? "no sample kept" : flight.problem);
        return result;
    }
    result.page = page_file_of(flight_file);
    const std::string written =
        write_flight_page(result.page, flight, read_chart_library(program / kChartLibraryFolder));
    if (!written.empty()) result.page.clear();
    result.problem = !written.empty() ? written : flight.problem;
    return result;
}

std::vector<fs::path> flights_without_page(const fs::path& folder) {
    std::vector<fs::path> missing;
    std::error_code ec;
    for (const fs::path& file : files_with(folder, kFlightExtension))
        if (!fs::exists(page_file_of(file), ec)) missing.push_back(file);
    return missing;
}

fs::path last_page(const fs::path& folder) {
    fs::path newest;
    fs::file_time_type newest_time{};
    std::error_code ec;
    for (const fs::path& page : files_with(folder, ".html")) {
        const auto written = fs::last_write_time(page, ec);
        if (ec) continue;
        if (newest.empty() || written >= newest_time) {
            newest = page;
            newest_time = written;
        }
    }
    return newest;
}

bool open_last_page(const fs::path& folder) {
    const fs::path page = last_page(folder);
    if (page.empty()) {
        log_verbatim("Flight page : none yet in " + folder.string());
        return false;
    }
    std::error_code ec;
    const fs::path absolute = fs::absolute(page, ec);
    const bool started =
        launch_program(document_viewer_command(ec ? page.string() : absolute.string()));
    log_verbatim("Flight page " + page.string() + " : " +
                 (started ? "opened" : "browser could not be started"));
    return started;
}

} // namespace kalveo::debrief
