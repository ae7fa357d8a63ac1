#include "sim/active_version.h"

#include "report/log.h"
#include "report/trace.h"
#include "sim/install.h"
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

void make_active(Installation& inst, int version) {
    const bool three = version == 3;
    inst.cndrinstpath = three ? inst.instpath3 : inst.instpath2;
    inst.cndrrootpath = three ? inst.rootpath3 : inst.rootpath2;
    inst.cndrpilpath = three ? inst.pilpath3 : inst.pilpath2;
    inst.condor_version = version;
}

// A folder that is not known has no files (its blank name must not become the root).
std::int64_t file_time(const std::string& folder, const char* name) {
    return folder.empty() ? -1 : simulator_file_time(folder + name);
}

VersionFileTimes file_times(const Installation& inst) {
    VersionFileTimes t;
    t.plan2 = file_time(inst.pilpath2, "\\FlightPlan.fpl");
    t.plan3 = file_time(inst.pilpath3, "\\FlightPlan.fpl");
    t.log2 = file_time(inst.instpath2, "\\Logs\\Logfile.txt");
    t.log3 = file_time(inst.instpath3, "\\Logs\\Logfile.txt");
    return t;
}

} // namespace

Installation check_condor_install(std::string_view msgpltfldr) {
    Installation inst;
    inst.qc2 = get_condor_inst_dir(2, inst.instpath2, false) == 2 &&
               simulator_file_exists(inst.instpath2 + "\\Condor.exe");
    inst.qc3 = get_condor_inst_dir(3, inst.instpath3, false) == 3 &&
               simulator_file_exists(inst.instpath3 + "\\Condor.exe");
    if (inst.qc2) {
        log_message_f("Condor 2 install path: " + inst.instpath2);
        inst.pilpath2 = "2";
        get_condor_2_path(msgpltfldr, false, true, inst.pilpath2);
        inst.rootpath2 = "2";
        get_condor_2_path(msgpltfldr, false, false, inst.rootpath2);
    }
    if (inst.qc3) {
        log_message_f("Condor 3 install path: " + inst.instpath3);
        inst.pilpath3 = "3";
        get_condor_2_path(msgpltfldr, false, true, inst.pilpath3);
        inst.rootpath3 = "3";
        get_condor_2_path(msgpltfldr, false, false, inst.rootpath3);
    }
    if (inst.qc3)
        make_active(inst, 3);
    else if (inst.qc2)
        make_active(inst, 2);
    return inst;
}

void get_active_condor_version(Installation& inst) {
    if (!inst.qc2 && !inst.qc3) inst = check_condor_install("");
    trace("get_active_condor_version\n");
    if (inst.qc2 && inst.qc3)
        make_active(inst, choose_active_version(file_times(inst)));
    else if (inst.qc3)
        make_active(inst, 3);
    else if (inst.qc2)
        make_active(inst, 2);
    else
        return;
    trace("get_active_condor_version %d\n", inst.condor_version);
}

} // namespace kalveo
