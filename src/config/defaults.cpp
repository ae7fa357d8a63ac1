#include "config/defaults.h"

#include "config/records.h"
#include "config/settings_value.h"
#include "flight/records.h"
#include "glider/records.h"
#include "report/records.h"
#include "sim/records.h"

namespace kalveo {
namespace {

void reset_units() {
    init_fconv();
}

void reset_simulator_keys() {
    keydef_cndr.scnchatc = 28; // Enter
    keydef_cndr.scnchato = 0;
    keydef_cndr.scngrst = 0;
}

void reset_program_state() {
    my_tas_1.kalveo_init = false;
    cmndta001.qline = false;
}

void reset_flight() {
    gggmas = GggmasRecord{};
    gggpol.calage = 0.0;
    rd_fpl_6.qpda = true;
}

void reset_simulator() {
    inst00.icndr = 2;
    inst00.qc1 = false;
    inst00.qc2 = false;
    inst00.qc3 = false;
}

} // namespace

void reset_run_state() {
    reset_units();
    reset_simulator_keys();
    reset_program_state();
    reset_flight();
    reset_simulator();
}

} // namespace kalveo
