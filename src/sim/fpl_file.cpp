// Waiting for the flight plan of a starting flight, and what the flight takes from it.
#include "config/records.h"
#include "flight/records.h"
#include "glider/records.h"
#include "platform/clock.h"
#include "report/log.h"
#include "report/messages.h"
#include "report/records.h"
#include "report/stop.h"
#include "report/trace.h"
#include "sim/fpl.h"
#include "sim/records.h"
#include "sim/sim_files.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <system_error>

namespace kalveo {
namespace {

[[noreturn]] void flight_plan_never_appeared(const std::string& fplfile,
                                             bool units_follow_simulator) {
    std::string text = fplfile + messages.msgfplnfnd;
    if (units_follow_simulator) text += "\n" + messages.msgdisauto;
    error_message_tit(kBoxWarning, my_tas_c.msg_tit, text, cmndta001.qline);
    stop_program("Flightplan not found: " + fplfile);
}

void log_retry(const char* what, int attempt) {
    char line[96];
    std::snprintf(line, sizeof line, "%s%2d", what, attempt);
    log_message_f(line);
}

// Opens the flight plan, trying again while the simulator is still writing it.
// Returns false when it exists but cannot be opened.
bool open_flight_plan(std::ifstream& in, const std::string& fplfile, bool units_follow_simulator,
                      const std::function<void()>& pause) {
    int attempt = 0;
    for (;;) {
        log_message_f("FPLFILE : " + fplfile);
        const auto file = simulator_file(fplfile);
        std::error_code ec;
        if (!std::filesystem::exists(file, ec)) {
            if (++attempt > kFplAttempts - 1)
                flight_plan_never_appeared(fplfile, units_follow_simulator);
            pause();
            log_retry("Flightplan not found - retrying ", attempt);
            continue;
        }
        if (!std::filesystem::is_directory(file, ec)) in.open(file, std::ios::binary);
        const bool opened = in.is_open();
        if (debug_mode()) log_message_f(fplfile + " OPEN " + (opened ? "0" : "1"));
        if (opened) return true;
        if (++attempt > kFplAttempts - 1) return false;
        pause();
        log_retry("Flightplan exists but could not be opened - retrying ", attempt);
    }
}

double last_turnpoint_altitude() {
    // A task without turnpoints has no last one.
    if (rd_fpl_0.nb_wp < 1 || rd_fpl_0.nb_wp > kMaxTurnpoints) return 0.0;
    return rd_fpl_1.tpz[static_cast<std::size_t>(rd_fpl_0.nb_wp - 1)];
}

// Wipers count only when fitted, allowed by the task and there are bugs.
bool bug_wipers_usable() {
    int most_bugs = 0;
    const int zones = std::min(rd_fpl_wz2.wzcount, kWeatherZones);
    for (int z = 0; z < zones; ++z)
        most_bugs = std::max(most_bugs, rd_fpl_wz2.thermalsbugs[static_cast<std::size_t>(z)]);
    return ggg002.qbugwipers && rd_fpl_6.allowbugwipers && most_bugs >= 1;
}

} // namespace

std::optional<TaskAltitudes> read_fpl_0(const std::string& file, bool units_follow_simulator,
                                        const std::function<void()>& pause) {
    const std::function<void()> wait =
        pause ? pause : std::function<void()>([] { sleep_ms(kFplRetryPause); });
    log_message_f("Condor 2 path : " + inst00.pilot_path());
    std::ifstream in;
    if (!open_flight_plan(in, file, units_follow_simulator, wait)) return std::nullopt;

    const bool qfr = my_tas_c.lang == "FR";
    int nl = 0;
    int ios = 0;
    read_fpl(in, true, debug_mode(), qfr, nl, ios);
    in.close();

    const TaskAltitudes altitudes{rd_fpl_1.tpz[0], last_turnpoint_altitude()};
    trace("Z_0,Z_FIN %f %f\n", altitudes.start, altitudes.finish);
    ggg002.qbugwipers = bug_wipers_usable();
    trace("BUGWIPERS %d\n", ggg002.qbugwipers ? 1 : 0);
    return altitudes;
}

} // namespace kalveo
