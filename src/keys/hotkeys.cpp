#include "keys/hotkeys.h"

#include "display/display_state.h"
#include "flight/live_adjust.h"
#include "flight/outputs.h"
#include "keys/hook.h"
#include "report/log.h"
#include "sim/records.h"
#include "text/number_read.h"

#include <algorithm>
#include <cmath>

namespace kalveo {

namespace {

// The volume feedback plays the alarm sound of this level (VNE_2) at the new volume.
constexpr int kFeedbackAlarmLevel = 2;

float to_hundredths(float vol) {
    return static_cast<float>(std::round(static_cast<double>(vol) * 100.0) / 100.0);
}

bool double_press(const DisplayStateRecord& s, int previous_tick) {
    return s.count - previous_tick < kDoublePressTicks;
}

// A key number the simulator learned, as a hotkey code matching its scan code.
int simulator_key_code(int negated) {
    return negated < 0 ? -hook_scan_of_simulator_key(negate_key_number(negated)) : negated;
}

bool is_chat_open_key(const DisplayStateRecord& s, int scancode, int vk) {
    return (s.ScnChatO > 0 && scancode == hook_scan_of_simulator_key(s.ScnChatO)) ||
           (s.KeyChatO > 0 && vk == s.KeyChatO);
}

bool is_chat_close_key(const DisplayStateRecord& s, int scancode) {
    return scancode == hook_scan_of_simulator_key(s.Enter) ||
           scancode == hook_scan_of_simulator_key(s.NumPadEnter);
}

void margin_up(DisplayStateRecord& s) {
    if (double_press(s, s.count_Inc)) {
        s.VNE_Act = 1;
        enable_vne(s.VNE_Act != 0);
    } else {
        s.dv1 += 1;
        update_dv1(s.dv1);
    }
    s.count_Inc = s.count;
}

void margin_down(DisplayStateRecord& s) {
    if (double_press(s, s.count_Dec)) {
        s.VNE_Act = 0;
        enable_vne(s.VNE_Act != 0);
    } else {
        s.dv1 -= 1;
        update_dv1(s.dv1);
    }
    s.count_Dec = s.count;
}

void set_volume(DisplayStateRecord& s, float vol) {
    s.SndVol = vol;
    update_vol(s.SndVol);
    s.VolTime = display_clock();
    s.DisVol = 1;
    const FlightOutputs& out = flight_outputs();
    if (out.play_alarm) out.play_alarm(kFeedbackAlarmLevel, s.SndVol);
}

void netto_average(DisplayStateRecord& s) {
    if (s.RunAvN == RunState::reset)
        s.RunAvN = RunState::running;
    else if (double_press(s, s.count_AvN))
        s.RunAvN = RunState::reset;
    else
        s.RunAvN = s.RunAvN == RunState::stopped ? RunState::running : RunState::stopped;
    s.count_AvN = s.count;
    start_avn(s.RunAvN);
    log_printf("RunAvN %d", run_number(s.RunAvN));
}

void stopwatch(DisplayStateRecord& s) {
    if (s.RunTim == RunState::stopped) {
        start_stopwatch(RunState::reset);
        s.RunTim = RunState::running;
    } else {
        s.RunTim = RunState::stopped;
        start_stopwatch(RunState::stopped);
    }
    log_printf("RunTim %d", run_number(s.RunTim));
}

// Tapped alone the key starts the task timer from its reset; with Ctrl+Shift it stops the
// running timer, and again resets the stopped one.
void task_timer(DisplayStateRecord& s) {
    const int ctrl_shift = kbd_state.press.is_ctrl != 0 && kbd_state.press.is_shft != 0 ? 1 : 0;
    RunState next = s.RunTskTim;
    if (ctrl_shift == 0 && s.RunTskTim == RunState::reset) next = RunState::running;
    if (ctrl_shift != 0 && s.RunTskTim == RunState::running) next = RunState::stopped;
    if (ctrl_shift != 0 && s.RunTskTim == RunState::stopped) next = RunState::reset;
    if (next != s.RunTskTim) {
        s.RunTskTim = next;
        start_task_timer(s.RunTskTim);
    }
    log_printf("CtrlShift RunTskTim %d %d", ctrl_shift, run_number(s.RunTskTim));
}

// The task timer's key matches with or without Ctrl+Shift (and only so), which then choose
// what it does; its other modifiers must match as for every hotkey.
bool detect_task_timer_key(int code, int vk, int scancode) {
    constexpr int kCtrlShift = 3;
    const DecodedKey d = decode_key_code(code);
    if (d.key == 0) return false;
    const PressModifiers& p = kbd_state.press;
    const bool with = p.is_ctrl != 0 && p.is_shft != 0;
    if (!with && (p.is_ctrl != 0 || p.is_shft != 0)) return false;
    const int mods = (d.mods & ~kCtrlShift) | (with ? kCtrlShift : 0);
    return detect_key(mods * 10000 + d.key, vk, scancode) != 0;
}

void integrator(DisplayStateRecord& s) {
    if (s.Polar != 0) {
        log_printf("WRITE POLAR count=%d", s.count);
        write_pol();
        return;
    }
    if (s.RunAvE == RunState::stopped) {
        start_ave(RunState::reset);
        s.RunAvE = RunState::running;
    } else {
        s.RunAvE = RunState::stopped;
        start_ave(RunState::stopped);
    }
    log_printf("RunAvE %d", run_number(s.RunAvE));
}

void hotkeys(DisplayStateRecord& s, int scancode, int vk) {
    const auto is = [&](int code) { return detect_key(code, vk, scancode) != 0; };
    if (is(s.KeyInc)) margin_up(s);
    if (is(s.KeyDec)) margin_down(s);
    if (is(s.KeyVUp)) set_volume(s, volume_up(s.SndVol));
    if (is(s.KeyVDn)) set_volume(s, volume_down(s.SndVol));
    if (is(s.KeySFl)) {
        s.FlapSound = s.FlapSound != 0 ? 0 : 1;
        log_printf("FlapSound %d", s.FlapSound);
        update_flap_sound(s.FlapSound);
    }
    if (is(s.KeyHUDS)) {
        s.HUD_Spd = (s.HUD_Spd + 1) % 3;
        log_printf("HUD_Spd %d", s.HUD_Spd);
    }
    if (s.GotPlaneData != 0) {
        if (is(s.KeyAvN)) netto_average(s);
        if (is(s.KeyTim)) stopwatch(s);
        if (detect_task_timer_key(s.KeyTskTim, vk, scancode)) task_timer(s);
        if (is(s.KeyAvE)) integrator(s);
        // The g-meter key is known from the simulator's controls once the flight is set up.
        if (is(simulator_key_code(s.ScnGRst))) s.GMin = s.GMax = 1.0F;
        if (s.BugWipers != 0 && is(simulator_key_code(s.ScnBugW))) s.BW_Time = display_clock();
    }
    if (is(s.KeyHor) && s.HorWinInfo.width > 0) s.MoveHorizon = 1;
}

} // namespace

float volume_up(float vol) {
    const float step = vol < 0.15F ? 0.01F : vol < 0.25F ? 0.02F : vol < 0.35F ? 0.03F : 0.05F;
    return std::min(1.0F, to_hundredths(vol + step));
}

float volume_down(float vol) {
    const float step = vol < 0.16F ? 0.01F : vol < 0.27F ? 0.02F : vol < 0.38F ? 0.03F : 0.05F;
    return std::max(0.0F, to_hundredths(vol - step));
}

void check_keys(int scancode, int pressedKey, int /*flags*/, std::uint32_t now) {
    DisplayStateRecord& s = display_state;
    check_mods(pressedKey, kbd_state.LastDwnTime, now);
    // Logged when the chat opens or closes, not at every Enter typed elsewhere.
    if (is_chat_open_key(s, scancode, pressedKey)) {
        if (s.ChatActive != 1) log_printf("ChatActive %d", 1);
        s.ChatActive = 1;
        return;
    }
    if (is_chat_close_key(s, scancode)) {
        if (s.ChatActive != 0) log_printf("ChatActive %d", 0);
        s.ChatActive = 0;
        return;
    }
    if (s.ChatActive != 0) return;
    hotkeys(s, scancode, pressedKey);
}

} // namespace kalveo
