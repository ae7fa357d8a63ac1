// Waiting for the flight plan of a starting flight, and what the flight takes from it.
#include "config/records.h"
#include "flight/records.h"
#include "platform/clock.h"
#include "report/log.h"
#include "report/messages.h"
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
                                             bool units_follow_simulator,
                                             const MessagesRecord& texts) {
    std::string text = fplfile + texts.msgfplnfnd;
    if (units_follow_simulator) text += "\n" + texts.msgdisauto;
    error_message_tit(kBoxWarning, kDefaultBoxTitle, text);
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
                      const MessagesRecord& texts, const std::function<void()>& pause) {
    int attempt = 0;
    for (;;) {
        log_message_f("FPLFILE : " + fplfile);
        const auto file = simulator_file(fplfile);
        std::error_code ec;
        if (!std::filesystem::exists(file, ec)) {
            if (++attempt > kFplAttempts - 1)
                flight_plan_never_appeared(fplfile, units_follow_simulator, texts);
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

double last_turnpoint_altitude(const FlightPlan& plan) {
    // A task without turnpoints has no last one.
    const int count = plan.task.nb_wp;
    if (count < 1 || count > kMaxTurnpoints) return 0.0;
    return plan.turnpoints.tpz[static_cast<std::size_t>(count - 1)];
}

// Wipers count only when fitted, allowed by the task and there are bugs.
bool bug_wipers_usable(const FlightPlan& plan) {
    int most_bugs = 0;
    const int zones = std::min(plan.zone_bugs.wzcount, kWeatherZones);
    for (int z = 0; z < zones; ++z)
        most_bugs = std::max(most_bugs, plan.zone_bugs.thermalsbugs[static_cast<std::size_t>(z)]);
    return plan.glider_options.qbugwipers && plan.options.allowbugwipers && most_bugs >= 1;
}

} // namespace

std::optional<FlightPlan> read_fpl_0(Installation& installation, const std::string& file,
                                     bool units_follow_simulator, const MessagesRecord& texts,
                                     bool french, const std::function<void()>& pause) {
    const std::function<void()> wait =
        pause ? pause : std::function<void()>([] { sleep_ms(kFplRetryPause); });
    log_message_f("Condor 2 path : " + installation.pilot_path());
    std::ifstream in;
    if (!open_flight_plan(in, file, units_follow_simulator, texts, wait)) return std::nullopt;

    const bool qfr = french;
    int nl = 0;
    int ios = 0;
    FlightPlan plan = read_fpl(in, installation, debug_mode(), qfr, nl, ios);
    in.close();

    plan.altitudes = {plan.turnpoints.tpz[0], last_turnpoint_altitude(plan)};
    trace("Z_0,Z_FIN %f %f\n", plan.altitudes.start, plan.altitudes.finish);
    plan.glider_options.qbugwipers = bug_wipers_usable(plan);
    trace("BUGWIPERS %d\n", plan.glider_options.qbugwipers ? 1 : 0);
    return plan;
}

} // namespace kalveo
