#include "keys/hotkeys.h"

#include "display/display_state.h"
#include "flight/cycle.h"
#include "keys/hook.h"
#include "report/log.h"
#include "sim/records.h"
#include "text/number_read.h"

namespace kalveo {

namespace {

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

} // namespace

void KeyWatch::margin_up() {
    const DisplayStateRecord& s = display_;
    if (double_press(s, ticks_.margin_up)) {
        cycle_.switch_alarm(true);
    } else {
        cycle_.raise_margin();
    }
    ticks_.margin_up = s.count;
}

void KeyWatch::margin_down() {
    const DisplayStateRecord& s = display_;
    if (double_press(s, ticks_.margin_down)) {
        cycle_.switch_alarm(false);
    } else {
        cycle_.lower_margin();
    }
    ticks_.margin_down = s.count;
}

void KeyWatch::volume(bool up) {
    DisplayStateRecord& s = display_;
    s.VolTime = display_clock();
    s.DisVol = 1;
    if (up) {
        cycle_.volume_up();
    } else {
        cycle_.volume_down();
    }
}

void KeyWatch::netto_average() {
    const DisplayStateRecord& s = display_;
    cycle_.press_netto_average(double_press(s, ticks_.netto_average));
    ticks_.netto_average = s.count;
    log_printf("RunAvN %d", run_number(cycle_.status().netto_average));
}

void KeyWatch::stopwatch() {
    cycle_.toggle_stopwatch();
    log_printf("RunTim %d", run_number(cycle_.status().stopwatch));
}

void KeyWatch::task_timer() {
    const PressModifiers& p = state_.press;
    const bool ctrl_shift = p.is_ctrl != 0 && p.is_shft != 0;
    cycle_.press_task_timer(ctrl_shift);
    log_printf("CtrlShift RunTskTim %d %d", ctrl_shift ? 1 : 0,
               run_number(cycle_.status().task_timer));
}

// The task timer's key matches with or without Ctrl+Shift (and only so), which then choose
// what it does; its other modifiers must match as for every hotkey.
bool KeyWatch::detect_task_timer_key(int code, int vk, int scancode) const {
    constexpr int kCtrlShift = 3;
    const DecodedKey d = decode_key_code(code);
    if (d.key == 0) return false;
    const PressModifiers& p = state_.press;
    const bool with = p.is_ctrl != 0 && p.is_shft != 0;
    if (!with && (p.is_ctrl != 0 || p.is_shft != 0)) return false;
    const int mods = (d.mods & ~kCtrlShift) | (with ? kCtrlShift : 0);
    return detect_key(mods * 10000 + d.key, vk, scancode) != 0;
}

void KeyWatch::integrator() {
    const DisplayStateRecord& s = display_;
    if (s.Polar != 0) {
        log_printf("WRITE POLAR count=%d", s.count);
        cycle_.request_polar_point();
        return;
    }
    cycle_.toggle_climb_average();
    log_printf("RunAvE %d", run_number(cycle_.status().climb_average));
}

void KeyWatch::hotkeys(int scancode, int vk) {
    DisplayStateRecord& s = display_;
    const auto is = [&](int code) { return detect_key(code, vk, scancode) != 0; };
    if (is(s.KeyInc)) margin_up();
    if (is(s.KeyDec)) margin_down();
    if (is(s.KeyVUp)) volume(true);
    if (is(s.KeyVDn)) volume(false);
    if (is(s.KeySFl)) {
        // The key asks for the other state; a glider without flaps keeps its own.
        const bool asked = !cycle_.controls().flap_sounds;
        log_printf("FlapSound %d", asked ? 1 : 0);
        cycle_.switch_flap_sounds(asked);
    }
    if (is(s.KeyHUDS)) {
        s.HUD_Spd = (s.HUD_Spd + 1) % 3;
        log_printf("HUD_Spd %d", s.HUD_Spd);
    }
    if (s.GotPlaneData != 0) {
        if (is(s.KeyAvN)) netto_average();
        if (is(s.KeyTim)) stopwatch();
        if (detect_task_timer_key(s.KeyTskTim, vk, scancode)) task_timer();
        if (is(s.KeyAvE)) integrator();
        // The g-meter key is known from the simulator's controls once the flight is set up.
        if (is(simulator_key_code(s.ScnGRst))) s.GMin = s.GMax = 1.0F;
        if (s.BugWipers != 0 && is(simulator_key_code(s.ScnBugW))) s.BW_Time = display_clock();
    }
    if (is(s.KeyHor) && s.HorWinInfo.width > 0) s.MoveHorizon = 1;
}

void KeyWatch::check_keys(int scancode, int pressedKey, std::uint32_t now) {
    DisplayStateRecord& s = display_;
    check_mods(pressedKey, state_.LastDwnTime, now);
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
    hotkeys(scancode, pressedKey);
    // The windows show what the cycle now runs.
    show_instrument_status(display_, cycle_.status());
}

} // namespace kalveo
