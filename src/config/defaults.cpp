#include "config/defaults.h"

#include "config/records.h"
#include "config/settings_value.h"
#include "flight/records.h"
#include "report/records.h"

namespace kalveo {
namespace {

// The unit factors of the flight start from the settings' unit; these follow the simulator.
void reset_units() {
    my_tas_0.fconv_alt = 1.0;
    my_tas_0.fconv_vz = 1.0;
    my_tas_0.qfe = false;
    my_tas_0.z_0 = 0.0;
}

void reset_program_state() {
    my_tas_1.vne_act = true;
    my_tas_0.qwrpol = false;
    my_tas_1.kalveo_init = false;
    my_tas_3.x_cal = 0.0;
    my_tas_3.y_cal = 0.0;
    cmndta001.qline = false;
}

void reset_flight() {
    chrono = ChronoRecord{};
    flaps_0.nflap = 0;
    flaps_0.vflap.fill(0.0);
    flaps_c.cflap.fill("");
    my_tas_c.fplfile = "";
    const AlarmSpeeds speeds = alarm_speeds(kSpeedNotSet, kSpeedNotSet, kSpeedNotSet);
    my_tas_0.va1 = speeds.va1;
    my_tas_0.va2 = speeds.va2;
}

} // namespace

void reset_run_state() {
    reset_units();
    reset_program_state();
    reset_flight();
}

} // namespace kalveo
