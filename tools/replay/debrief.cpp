#include "replay/debrief.h"

#include "config/records.h"
#include "config/settings_value.h"
#include "debrief/cycle_feed.h"
#include "debrief/flight_pages.h"
#include "flight/cycle.h"
#include "flight/flight_setup.h"
#include "flight/records.h"
#include "glider/glider_data.h"
#include "glider/records.h"
#include "platform/program_path.h"
#include "replay/recording.h"
#include "sim/install.h"
#include "sim/records.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <random>
#include <system_error>
#include <thread>

namespace kalveo::replay {

namespace {

namespace fs = std::filesystem;

// The one place that builds a flight cycle: the program's default settings, in polar mode
// when asked.
std::unique_ptr<FlightCycle> make_cycle(FlightOutputs& out, FlightCycle::FlightSetUp set_up,
                                        const DebriefOptions& o) {
    auto cycle = std::make_unique<FlightCycle>(out, std::move(set_up));
    Settings settings;
    settings.program.polar = o.polar;
    settings.program.language = o.language;
    cycle->take_settings(settings);
    return cycle;
}

// The glider from the program's glider data file alone, in the standard atmosphere.
FlightCycle::FlightSetUp glider_set_up(const DebriefOptions& o) {
    return [o](FlightFacts& flight, FlightRecords& f, const Settings&) {
        if (flight.installation.condor_version == 0) flight.installation.condor_version = 3;
        flight.glider.names.glnam = o.glider;
        const double vne_setting = o.vne_kmh > -1000.0 ? o.vne_kmh : f.my_tas_0.vne;
        f.my_tas_0.vne = -10000.0;
        GliderValues values = current_glider_values(flight.glider, f);
        (void)lookup_glider(kGliderDataFile, o.glider, flight.installation.condor_version, values);
        store_glider_values(values, flight.glider, f);
        settle_vne(f, vne_setting);
    };
}

std::string local_time_text(std::time_t when) {
    std::tm parts{};
    if (const std::tm* local = std::localtime(&when)) parts = *local;
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

// When the recorded flight started: the recording was last written at its end.
std::string start_of(const fs::path& recording, double length_s) {
    std::error_code ec;
    const auto written = fs::last_write_time(recording, ec);
    std::time_t end = std::time(nullptr);
    if (!ec) {
        const auto system = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
            written - fs::file_time_type::clock::now() + std::chrono::system_clock::now());
        end = std::chrono::system_clock::to_time_t(system);
    }
    return local_time_text(end - static_cast<std::time_t>(length_s));
}

// A scratch working folder with the program's glider data file: the cycle's log and polar
// result files land there, not in the program folder.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::error_code ec;
        program_ = fs::path(get_inst_path());
        std::random_device random;
        path_ = fs::temp_directory_path(ec) / ("kalveo-debrief-" + std::to_string(random()));
        fs::create_directories(path_ / "Settings", ec);
        fs::create_directories(path_ / "Logs", ec);
        fs::copy_file(program_ / "Settings" / "Kalveo_data.txt",
                      path_ / "Settings" / "Kalveo_data.txt", ec);
        previous_ = fs::current_path(ec);
        fs::current_path(path_, ec);
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::current_path(previous_, ec);
        fs::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    [[nodiscard]] const fs::path& program() const { return program_; }

  private:
    fs::path program_, path_, previous_;
};

} // namespace

DebriefResult write_debrief(const DebriefOptions& o) {
    DebriefResult result;
    std::error_code ec;
    const fs::path recording = fs::absolute(o.recording, ec);
    const fs::path out_folder =
        fs::absolute(o.out_folder.empty() ? recording.parent_path() : o.out_folder, ec)
            .lexically_normal();
    const Recording r = read_recording(recording);
    if (r.datagrams.empty()) {
        result.problem = recording.string() + ": " + (r.problem.empty() ? "empty" : r.problem);
        return result;
    }
    const std::string started = start_of(recording, r.datagrams.back().at_s);

    ScratchFolder scratch;
    Installation installation;
    if (o.glider.empty()) {
        installation = check_condor_install(MessagesRecord{}.msgpltfldr);
        if (installation.condor_version == 0) {
            result.problem = "no simulator installation found: name the glider with --glider";
            return result;
        }
    }
    double now = 0.0;
    FlightOutputs out;
    out.counter_seconds = [&now] { return now; };
    std::unique_ptr<debrief::FlightKeeper> keeper;
    debrief::CycleFeed feed;
    std::unique_ptr<FlightCycle> cycle = make_cycle(
        out,
        o.glider.empty() ? FlightCycle::FlightSetUp(learn_flight_from_simulator) : glider_set_up(o),
        o);
    cycle->take_installation(installation);
    cycle->take_language(o.language, MessagesRecord{});
    out.play_flap_call = [&](FlapCall call, double) {
        if (keeper) feed.flap_call(*cycle, call, *keeper);
    };
    double last_ask = 0.0;
    const auto start = std::chrono::steady_clock::now();
    for (const RecordedDatagram& d : r.datagrams) {
        now = d.at_s;
        if (o.pace > 0.0)
            std::this_thread::sleep_until(
                start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                            std::chrono::duration<double>(now / o.pace)));
        if (o.polar && !cycle->records().my_tas_0.qwrpol && now - last_ask >= kPolarAskEvery) {
            cycle->request_polar_point();
            last_ask = now;
        }
        cycle->my_tas(d.bytes);
        if (!cycle->records().condor_started) continue;
        if (!keeper)
            keeper = std::make_unique<debrief::FlightKeeper>(out_folder,
                                                             debrief::header_of(*cycle, started));
        feed.after_packet(*cycle, *keeper);
        ++result.datagrams;
    }
    if (!keeper) {
        result.problem = recording.string() + ": no datagram with an airspeed or a time";
        return result;
    }
    keeper->finish();
    result.flight_file = keeper->file();
    if (!keeper->problem().empty()) {
        result.problem = keeper->problem();
        return result;
    }
    const debrief::PageOfFlight page =
        debrief::write_page_of(result.flight_file, scratch.program());
    result.page = page.page;
    result.problem = page.problem;
    return result;
}

} // namespace kalveo::replay
