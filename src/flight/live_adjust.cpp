#include "flight/live_adjust.h"

#include "flight/records.h"
#include "report/log.h"
#include "report/trace.h"

#include <cstdio>

namespace kalveo {

void enable_vne(bool on) {
    my_tas_1.vne_act = on;
    char text[64];
    std::snprintf(text, sizeof text, "VNE_Alarm : %d", my_tas_1.vne_act ? 1 : 0);
    log_message_f(text);
}

void update_dv1(int dv1_c) {
    my_tas_0.dv1 = dv1_c / my_tas_0.fconv;
    // Only the alarm start moves; va2 keeps the value of the flight's start.
    my_tas_0.va1 = alarm_speeds(my_tas_0.vne, my_tas_0.dv1, my_tas_0.dv2).va1;
    char text[128];
    std::snprintf(text, sizeof text, "DV1 updated : %.2f %.2f", my_tas_0.dv1 * my_tas_0.fconv,
                  my_tas_0.va1 * my_tas_0.fconv);
    log_message_f(text);
}

void update_vol(double volume) {
    volumes.sndvol = volume;
}

void update_flap_sound(int nso_c) {
    if (flaps_0.nflap > 0) my_tas_1.qflap_beep = nso_c != 0;
    char text[128];
    std::snprintf(text, sizeof text, "Flaps sound updated : %d %d", nso_c,
                  my_tas_1.qflap_beep ? 1 : 0);
    log_message_f(text);
}

void start_avn(RunState state) {
    chrono.run_nv = state;
    trace(" run_nv %d\n", run_number(state));
}

void start_ave(RunState state) {
    chrono.run_iv = state;
    trace(" run_iv %d\n", run_number(state));
}

void start_stopwatch(RunState state) {
    chrono.run_tim = state;
    trace(" run_tim %d\n", run_number(state));
}

void start_task_timer(RunState state) {
    chrono.run_tsktim = state;
    trace(" run_tsktim %d\n", run_number(state));
}

void write_pol() {
    my_tas_0.qwrpol = true;
    trace(" write_pol %s\n", my_tas_0.qwrpol ? "T" : "F");
}

} // namespace kalveo
