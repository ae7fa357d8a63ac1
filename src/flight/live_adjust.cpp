// The cycle's commands: the changes the pilot makes while flying.
#include "flight/live_adjust.h"

#include "flight/cycle.h"
#include "flight/display_round.h"
#include "flight/records.h"
#include "report/log.h"
#include "report/trace.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kalveo {

namespace {

// The volume feedback plays the alarm sound of this level (VNE_2) at the new volume.
constexpr int kFeedbackAlarmLevel = 2;

float to_hundredths(float vol) {
    return static_cast<float>(std::round(static_cast<double>(vol) * 100.0) / 100.0);
}

// What the pilot sees of a run state: a start from zero is already running.
RunState shown(RunState run) {
    return run == RunState::reset ? RunState::running : run;
}

} // namespace

float next_volume_up(float vol) {
    const float step = vol < 0.15F ? 0.01F : vol < 0.25F ? 0.02F : vol < 0.35F ? 0.03F : 0.05F;
    return std::min(1.0F, to_hundredths(vol + step));
}

float next_volume_down(float vol) {
    const float step = vol < 0.16F ? 0.01F : vol < 0.27F ? 0.02F : vol < 0.38F ? 0.03F : 0.05F;
    return std::max(0.0F, to_hundredths(vol - step));
}

InstrumentStatus FlightCycle::status() const {
    const ChronoRecord& runs = controls_.chrono;
    InstrumentStatus s;
    s.vne_alarm = controls_.vne_alarm;
    s.flap_sounds = controls_.flap_sounds;
    s.volume = static_cast<float>(controls_.volumes.sndvol);
    if (records_.condor_started)
        s.margin = display_round(records_.my_tas_0.dv1 * records_.my_tas_0.fconv);
    s.netto_average = runs.run_nv;
    s.climb_average = shown(runs.run_iv);
    s.stopwatch = shown(runs.run_tim);
    s.task_timer = runs.run_tsktim;
    return s;
}

void FlightCycle::switch_alarm(bool on) {
    controls_.vne_alarm = on;
    char text[64];
    std::snprintf(text, sizeof text, "VNE_Alarm : %d", on ? 1 : 0);
    log_message_f(text);
}

void FlightCycle::move_margin(int step) {
    // Before the flight's set-up the margin is still the setting's, in display units.
    if (!records_.condor_started) return;
    records_.my_tas_0.dv1 = (status().margin + step) / records_.my_tas_0.fconv;
    // Only the alarm start moves; va2 keeps the value of the flight's start.
    records_.my_tas_0.va1 =
        alarm_speeds(records_.my_tas_0.vne, records_.my_tas_0.dv1, records_.my_tas_0.dv2).va1;
    char text[128];
    std::snprintf(text, sizeof text, "DV1 updated : %.2f %.2f",
                  records_.my_tas_0.dv1 * records_.my_tas_0.fconv,
                  records_.my_tas_0.va1 * records_.my_tas_0.fconv);
    log_message_f(text);
}

void FlightCycle::raise_margin() {
    move_margin(1);
}

void FlightCycle::lower_margin() {
    move_margin(-1);
}

double FlightCycle::set_volume(double volume) {
    controls_.volumes.sndvol = volume;
    if (out_.play_alarm) out_.play_alarm(kFeedbackAlarmLevel, volume);
    return volume;
}

double FlightCycle::volume_up() {
    return set_volume(next_volume_up(static_cast<float>(controls_.volumes.sndvol)));
}

double FlightCycle::volume_down() {
    return set_volume(next_volume_down(static_cast<float>(controls_.volumes.sndvol)));
}

void FlightCycle::switch_flap_sounds(bool on) {
    if (records_.flaps_0.nflap > 0) controls_.flap_sounds = on;
    char text[128];
    std::snprintf(text, sizeof text, "Flaps sound updated : %d %d", on ? 1 : 0,
                  controls_.flap_sounds ? 1 : 0);
    log_message_f(text);
}

void FlightCycle::set_run(RunState& run, RunState state, const char* name) {
    run = state;
    trace(" %s %d\n", name, run_number(state));
}

void FlightCycle::press_netto_average(bool double_press) {
    RunState& run = controls_.chrono.run_nv;
    RunState next = run == RunState::stopped ? RunState::running : RunState::stopped;
    if (run == RunState::reset) {
        next = RunState::running;
    } else if (double_press) {
        next = RunState::reset;
    }
    set_run(run, next, "run_nv");
}

void FlightCycle::toggle_climb_average() {
    RunState& run = controls_.chrono.run_iv;
    set_run(run, run == RunState::stopped ? RunState::reset : RunState::stopped, "run_iv");
}

void FlightCycle::toggle_stopwatch() {
    RunState& run = controls_.chrono.run_tim;
    set_run(run, run == RunState::stopped ? RunState::reset : RunState::stopped, "run_tim");
}

void FlightCycle::press_task_timer(bool ctrl_shift) {
    RunState& run = controls_.chrono.run_tsktim;
    RunState next = run;
    if (!ctrl_shift && run == RunState::reset) next = RunState::running;
    if (ctrl_shift && run == RunState::running) next = RunState::stopped;
    if (ctrl_shift && run == RunState::stopped) next = RunState::reset;
    if (next != run) set_run(run, next, "run_tsktim");
}

void FlightCycle::request_polar_point() {
    records_.my_tas_0.qwrpol = true;
    trace(" write_pol %s\n", records_.my_tas_0.qwrpol ? "T" : "F");
}

} // namespace kalveo
