#include "config/defaults.h"

#include "config/records.h"
#include "config/settings_value.h"
#include "flight/records.h"
#include "glider/records.h"
#include "report/records.h"
#include "sim/records.h"

namespace kalveo {
namespace {

// The unit factors of the flight start from the settings' unit; these follow the simulator.
void reset_units() {
    init_fconv();
    my_tas_0.fconv_alt = 1.0;
    my_tas_0.fconv_vz = 1.0;
    my_tas_0.qfe = false;
    my_tas_0.z_0 = 0.0;
}

void reset_simulator_keys() {
    keydef_cndr.scnchatc = 28; // Enter
    keydef_cndr.scnchato = 0;
    keydef_cndr.scngrst = 0;
}

void reset_program_state() {
    my_tas_0.qwrpol = false;
    my_tas_1.kalveo_init = false;
    my_tas_3.x_cal = 0.0;
    my_tas_3.y_cal = 0.0;
    cmndta001.qline = false;
}

void reset_flight() {
    gggmas = GggmasRecord{};
    gggpol.calage = 0.0;
    flaps_0.nflap = 0;
    flaps_0.vflap.fill(0.0);
    flaps_c.cflap.fill("");
    my_tas_c.fplfile = "";
    rd_fpl_6.qpda = true;
    const AlarmSpeeds speeds = alarm_speeds(kSpeedNotSet, kSpeedNotSet, kSpeedNotSet);
    my_tas_0.va1 = speeds.va1;
    my_tas_0.va2 = speeds.va2;
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
