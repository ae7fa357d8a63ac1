#include "sim/active_version.h"

#include "report/log.h"
#include "report/trace.h"
#include "sim/install.h"
#include "sim/records.h"
#include "sim/sim_files.h"

#include <cstdio>

namespace kalveo {

int choose_active_version(const VersionFileTimes& t) {
    const bool no_plan3 = t.plan3 <= 0;
    const std::int64_t p3 = no_plan3 ? 0 : t.plan3;
    if (p3 < t.plan2) {
        if (t.plan2 >= t.log3) return 2;
        return t.log3 >= t.log2 ? 3 : 2;
    }
    if (p3 < t.log3) return t.log3 >= t.log2 ? 3 : 2;
    return no_plan3 || p3 < t.log2 ? 2 : 3;
}

namespace {

void make_active(int version) {
    const bool three = version == 3;
    inst00.cndrinstpath = three ? inst00.instpath3 : inst00.instpath2;
    inst00.cndrrootpath = three ? inst00.rootpath3 : inst00.rootpath2;
    inst00.cndrpilpath = three ? inst00.pilpath3 : inst00.pilpath2;
    inst00.condor_version = version;
}

// A folder that is not known has no files (its blank name must not become the root).
std::int64_t file_time(const std::string& folder, const char* name) {
    return folder.empty() ? -1 : simulator_file_time(folder + name);
}

VersionFileTimes file_times() {
    VersionFileTimes t;
    t.plan2 = file_time(inst00.pilpath2, "\\FlightPlan.fpl");
    t.plan3 = file_time(inst00.pilpath3, "\\FlightPlan.fpl");
    t.log2 = file_time(inst00.instpath2, "\\Logs\\Logfile.txt");
    t.log3 = file_time(inst00.instpath3, "\\Logs\\Logfile.txt");
    return t;
}

} // namespace

int check_condor_install(std::string_view msgpltfldr) {
    inst00.qc2 = get_condor_inst_dir(2, inst00.instpath2, false) == 2 &&
                 simulator_file_exists(inst00.instpath2 + "\\Condor.exe");
    inst00.qc3 = get_condor_inst_dir(3, inst00.instpath3, false) == 3 &&
                 simulator_file_exists(inst00.instpath3 + "\\Condor.exe");
    if (inst00.qc2) {
        log_message_f("Condor 2 install path: " + inst00.instpath2);
        inst00.pilpath2 = "2";
        get_condor_2_path(msgpltfldr, false, true, inst00.pilpath2);
        inst00.rootpath2 = "2";
        get_condor_2_path(msgpltfldr, false, false, inst00.rootpath2);
    }
    if (inst00.qc3) {
        log_message_f("Condor 3 install path: " + inst00.instpath3);
        inst00.pilpath3 = "3";
        get_condor_2_path(msgpltfldr, false, true, inst00.pilpath3);
        inst00.rootpath3 = "3";
        get_condor_2_path(msgpltfldr, false, false, inst00.rootpath3);
    }
    if (inst00.qc3)
        make_active(3);
    else if (inst00.qc2)
        make_active(2);
    else
        return 0;
    return inst00.condor_version;
}

void get_active_condor_version() {
    if (!inst00.qc2 && !inst00.qc3) check_condor_install("");
    trace("get_active_condor_version\n");
    if (inst00.qc2 && inst00.qc3)
        make_active(choose_active_version(file_times()));
    else if (inst00.qc3)
        make_active(3);
    else if (inst00.qc2)
        make_active(2);
    else
        return;
    trace("get_active_condor_version %d\n", inst00.condor_version);
}

} // namespace kalveo
