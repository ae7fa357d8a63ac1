#include "keys/hook.h"

#include "display/display_state.h"
#include "keys/hotkeys.h"
#include "platform/key_watch.h"
#include "report/log.h"

#include <cstdio>

namespace kalveo {

namespace {

constexpr int kCodeBase = 10000;
constexpr int kNegativeKeyAbove = 5000;
constexpr int kModCtrl = 1;
constexpr int kModShft = 2;
constexpr int kModAlt = 4;
constexpr int kModLong = 8;
constexpr int kSimulatorExtended = 128;
constexpr int kHighestScanCode = 127;

void trace(bool showing, const char* format, int value) {
    if (!showing) return;
    std::printf(format, value);
    std::fflush(stdout);
}

void derive_modifiers(ModifierState& m) {
    m.Shift = m.LShift_Down != 0 || m.RShift_Down != 0 ? 1 : 0;
    m.Ctrl = m.LCtrl_Down != 0 || m.RCtrl_Down != 0 ? 1 : 0;
    m.Alt = m.Alt_Down != 0 || m.AltGr_Down != 0 ? 1 : 0;
    m.CtrlShift = m.Shift != 0 && m.Ctrl != 0 ? 1 : 0;
    m.ModKey = m.Shift != 0 || m.Ctrl != 0 || m.Alt != 0 ? 1 : 0;
}

// The code a pilot writes into the settings file for the key just released, either way.
void trace_settings_code(int scancode, int vk) {
    if (vk > 33 && vk < 127)
        std::printf("Key code for Kalveo.ini : \"%c\" or SCN%d\n", static_cast<char>(vk), scancode);
    else
        std::printf("Key code for Kalveo.ini : ASC%d or SCN%d\n", vk, scancode);
    std::fflush(stdout);
}

// Whether key-definition mode shows this event: the modifiers, and the first other key
// pressed in the mode (its repeats and its release). A key pressed before the mode began
// (the key that closed its box) is not shown.
bool shown_in_definition(KeyDefinitionMode& d, const KeyEvent& event, int scancode) {
    if (!d.active) return false;
    if (is_modifier_key(event.vk)) return true;
    if (!d.chosen && event.down) {
        d.chosen = true;
        d.vk = event.vk;
        d.scancode = scancode;
    }
    return d.chosen && d.vk == event.vk && d.scancode == scancode;
}

} // namespace

void KeyWatch::end_key_definition(const char* why) {
    state_.definition = {};
    log_printf("Key definition mode ended%s", why);
}

void KeyWatch::handle_event(int code, const KeyEvent& event, int scancode) {
    KeyboardHookState& h = state_;
    if (code < 0) {
        if (showing()) log_printf("KBD nCode : %d %d ", code, event.vk);
        return;
    }
    const int flags = event.flags();
    check_mod_keys(event.scancode, event.vk, flags);
    if (event.scancode == 0) {
        if (showing()) log_printf("KBD scancode : %d %d ", event.scancode, event.vk);
        return;
    }
    if (event.down) {
        if (display_.ChatActive != 0) return;
        // A repeat of the key held keeps the time of its first press.
        if (scancode != h.scancode_old) {
            h.AltGr_Down_SVE = event.vk == kVkAltGr ? 1 : 0;
            h.LastDwnTime = event.time_ms;
        }
        h.scancode_old = scancode;
        return;
    }
    if (showing()) trace_settings_code(scancode, event.vk);
    check_keys(scancode, event.vk, event.time_ms);
    if (h.AltGr_Down_SVE == 0) {
        h.LastDwnTime = 0;
        h.scancode_old = 0;
    }
}

bool is_modifier_key(int vk) {
    constexpr int kVkShift = 16;
    constexpr int kVkControl = 17;
    constexpr int kVkMenu = 18;
    constexpr int kVkRWin = 92;
    return vk == kVkShift || vk == kVkControl || vk == kVkMenu || vk == kVkLWin || vk == kVkRWin ||
           (vk >= kVkLShift && vk <= kVkAltGr);
}

void KeyWatch::start_key_definition(double now) {
    // Keys already typed (the "d" itself, the key that closed the box) are not the one asked.
    poll();
    state_.definition = {};
    state_.definition.active = true;
    state_.definition.until = now + kKeyDefinitionSeconds;
    log_printf("Key definition mode started: the codes of the next key are shown (%d s)",
               static_cast<int>(kKeyDefinitionSeconds));
}

void KeyWatch::key_definition_tick(double now) {
    const KeyDefinitionMode& d = state_.definition;
    if (d.active && now >= d.until) end_key_definition(": no key pressed in time");
}

long KeyWatch::start() {
    KeyboardHookState& h = state_;
    if (h.kbd_hook != 0 && !key_watch_remove()) {
        log_printf("UnhookWindowsHookEx Error: %ld", key_watch_error());
        std::printf("UnhookWindowsHookEx Error: %ld\n", key_watch_error());
    }
    h.kbd_hook =
        key_watch_install([this](int code, const KeyEvent& event) { on_event(code, event); });
    if (h.kbd_hook == 0) log_printf("SetWindowsHookEx Error: %ld", key_watch_error());
    h.LastDwnTime = 0;
    h.scancode_old = 0;
    log_printf("Keyboard Hook restarted : %ld", h.kbd_hook);
    return h.kbd_hook;
}

bool KeyWatch::release() {
    const bool removed = key_watch_remove();
    if (removed) state_.kbd_hook = 0;
    return removed;
}

void KeyWatch::poll() {
    key_watch_poll();
    key_definition_tick(display_clock());
}

void KeyWatch::on_event(int code, const KeyEvent& event) {
    KeyDefinitionMode& d = state_.definition;
    int scancode = event.scancode;
    if (event.extended && event.vk != kVkRShift) scancode += kExtendedScanOffset;
    d.showing = shown_in_definition(d, event, scancode);
    handle_event(code, event, scancode);
    const bool defined = d.showing && !event.down && !is_modifier_key(event.vk);
    d.showing = false;
    if (defined) end_key_definition("");
}

void KeyWatch::check_mod_keys(int scancode, int vk, int flags) {
    ModifierState& m = state_.mods;
    const bool shown = showing();
    const int down = (flags & kKeyFlagUp) == 0 ? 1 : 0;
    if (shown)
        std::printf("scancode vk %d %d %0x %d Down %d\n", scancode, vk, vk,
                    (flags & kKeyFlagAltDown) != 0 ? 1 : 0, down);
    switch (vk) {
    case kVkLWin:
        m.WinKey_Down = down;
        trace(shown, "WINDOWS KEY DOWN %d\n", down);
        break;
    case kVkLShift:
        m.LShift_Down = down;
        trace(shown, "LEFT SHIFT DOWN %d\n", down);
        break;
    case kVkRShift:
        m.RShift_Down = down;
        trace(shown, "RIGHT SHIFT DOWN %d\n", down);
        break;
    case kVkLCtrl:
        m.LCtrl_Down = down;
        trace(shown, "LEFT CTRL DOWN %d\n", down);
        break;
    case kVkRCtrl:
        m.RCtrl_Down = down;
        trace(shown, "RIGHT CTRL DOWN %d\n", down);
        break;
    case kVkAlt:
        m.Alt_Down = down;
        trace(shown, "ALT DOWN %d\n", down);
        break;
    case kVkAltGr:
        m.AltGr_Down = down;
        trace(shown, "ATLGR DOWN %d\n", down);
        break;
    default:
        break;
    }
    std::fflush(stdout);
    derive_modifiers(m);
}

void KeyWatch::check_mods(int pressedKey, std::uint32_t DwnTime, std::uint32_t now) {
    const ModifierState& m = state_.mods;
    PressModifiers& p = state_.press;
    const int system = system_modifiers();
    // The clock may wrap: the difference is taken modulo 2^32. A release whose press was not
    // seen (the hook was installed meanwhile) is no long press.
    const auto held = static_cast<std::int32_t>(now - DwnTime);
    p.is_long = DwnTime != 0 && held > kLongPressMs ? 1 : 0;
    p.is_shft = (system & kModShft) != 0 || m.Shift != 0 ? 1 : 0;
    // AltGr comes with a Ctrl of its own on Windows: releasing AltGr is no Ctrl press.
    p.is_ctrl = ((system & kModCtrl) != 0 || m.Ctrl != 0) && pressedKey != kVkAltGr ? 1 : 0;
    p.is_alt = (system & kModAlt) != 0 || m.Alt != 0 ? 1 : 0;
}

DecodedKey decode_key_code(int code) {
    DecodedKey d{code % kCodeBase, code / kCodeBase};
    if (d.key > kNegativeKeyAbove) {
        d.key -= kCodeBase;
        d.mods += 1;
    }
    return d;
}

int KeyWatch::detect_key(int ThisKey, int pressedKey, int scancode) const {
    const DecodedKey d = decode_key_code(ThisKey);
    if (d.key == 0) return 0;
    if (d.key != pressedKey && d.key + scancode != 0) return 0;
    const PressModifiers& p = state_.press;
    const auto bit = [&d](int mask) { return (d.mods & mask) != 0 ? 1 : 0; };
    if (bit(kModCtrl) != p.is_ctrl || bit(kModShft) != p.is_shft || bit(kModAlt) != p.is_alt ||
        bit(kModLong) != p.is_long)
        return 0;
    if (showing()) {
        std::printf("detect_key : ThisKey pressedKey scancode ret %d %d %d %d\n", ThisKey,
                    pressedKey, scancode, 1);
        std::fflush(stdout);
    }
    return 1;
}

int hook_scan_of_simulator_key(int number) {
    if (number > kHighestScanCode && number < kExtendedScanOffset)
        return number - kSimulatorExtended + kExtendedScanOffset;
    return number;
}

} // namespace kalveo
