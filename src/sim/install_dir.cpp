// Installation folders from the registry, confirmed by the simulator's log.
#include "platform/registry.h"
#include "report/messages.h"
#include "report/stop.h"
#include "report/trace.h"
#include "sim/install.h"
#include "sim/sim_files.h"
#include "sim/sim_log.h"

#include <cstdio>

namespace kalveo {
namespace {

const char* registry_key(int version) {
    switch (version) {
    case 1:
        return "SOFTWARE\\Condor\\";
    case 2:
        return "SOFTWARE\\Condor2\\";
    default:
        return "SOFTWARE\\Condor3\\";
    }
}

// Version 1 keeps its log beside the program, later versions in Logs.
std::string log_file_of(int version, const std::string& folder) {
    return folder + (version == 1 ? "\\Logfile.txt" : "\\Logs\\Logfile.txt");
}

} // namespace

int get_condor_inst_dir(int nc, std::string& path, bool silent, const Installation& known) {
    if (nc == -2 || nc == -3) {
        const std::string& folder = nc == -2 ? known.instpath2 : known.instpath3;
        if (!folder.empty()) {
            path = folder;
            return -nc;
        }
        nc = -nc;
    }
    if (nc < 1 || nc > 3) stop_program("get_condor_inst_dir : incorrect Condor version");

    int len = 0;
    const int status = RdUsrReg(registry_key(nc), "InstallDir", path, len);
    if (status != 0 || path.empty()) {
        trace("get_condor_inst_dir : registry status %d\n", status);
        path.clear();
        if (!silent) {
            error_message(kBoxInfo, "*** Condor" + std::to_string(nc) +
                                        " installation not detected on this computer ***");
        }
        return 0;
    }

    const std::string log_file = log_file_of(nc, path);
    trace("Condor path : %s\nLog file : %s\n", path.c_str(), log_file.c_str());
    int version = 0;
    const auto log = read_text_lines(simulator_file(log_file), kSimLogLineLength, kVersionLines);
    if (log.ok) version = major_version_from_log(log.lines);
    trace("Condor version : %d\n", version);
    return version;
}

int condor_running(const Installation& installation) {
    const int version = installation.condor_version;
    const std::string& folder = version == 1   ? installation.instpath1
                                : version == 2 ? installation.instpath2
                                               : installation.instpath3;
    if (version < 1 || version > 3 || folder.empty()) return -999;
    const auto log =
        read_text_lines(simulator_file(log_file_of(version, folder)), kSimLogLineLength);
    if (!log.ok) return -999;
    return flight_state_from_log(log.lines);
}

} // namespace kalveo
