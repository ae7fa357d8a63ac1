// keys/hook: the global keyboard hook's procedure and its state. Every key event of the
// desktop passes through it: it follows the modifier keys, times each press, and on each
// release matches the key against the hotkeys (keys/hotkeys). No key is ever swallowed.
#pragma once

#include "display/records.h"
#include "platform/key_event.h"

#include <cstdint>

namespace kalveo {

class FlightCycle;

/// Virtual keys the hook knows by name.
inline constexpr int kVkLWin = 91;
inline constexpr int kVkLShift = 160;
inline constexpr int kVkRShift = 161;
inline constexpr int kVkLCtrl = 162;
inline constexpr int kVkRCtrl = 163;
inline constexpr int kVkAlt = 164;
inline constexpr int kVkAltGr = 165;
/// Added to the scan code of an extended key (right Shift excepted).
inline constexpr int kExtendedScanOffset = 256;
/// A press held longer than this (ms) is a long press (LONG in a key code).
inline constexpr int kLongPressMs = 900;

/// The modifier keys as the hook saw them go down and up (1 held).
struct ModifierState {
    int LShift_Down = 0;
    int RShift_Down = 0;
    int LCtrl_Down = 0;
    int RCtrl_Down = 0;
    int Alt_Down = 0;
    int AltGr_Down = 0;
    int WinKey_Down = 0;
    int Shift = 0;     ///< either Shift
    int Ctrl = 0;      ///< either Ctrl
    int Alt = 0;       ///< Alt or AltGr
    int CtrlShift = 0; ///< Shift and Ctrl
    int ModKey = 0;    ///< any of Shift, Ctrl, Alt, AltGr
};

/// The modifiers of the press being released, decided at its release.
struct PressModifiers {
    int is_shft = 0;
    int is_ctrl = 0;
    int is_alt = 0;
    int is_long = 0;
};

/// Key-definition mode, started by the window key "d": the only time the codes of keys are
/// written anywhere (on the console), so that a pilot can read the code of a key for the
/// settings. It shows the modifiers and the next key that is not one, and ends after that
/// key's release or after kKeyDefinitionSeconds.
inline constexpr double kKeyDefinitionSeconds = 30.0;
struct KeyDefinitionMode {
    bool active = false;
    /// Display-clock time (s) at which the mode ends without a key.
    double until = 0.0;
    /// The key shown (virtual key, scan code with 256 added for extended keys); none yet
    /// while `chosen` is false.
    bool chosen = false;
    int vk = 0;
    int scancode = 0;
    /// The event being handled is shown.
    bool showing = false;
};

struct KeyboardHookState {
    /// Handle of the installed hook; 0 none.
    long kbd_hook = 0;
    /// Time (ms, the events' clock) of the first key-down of the press; 0 none.
    std::uint32_t LastDwnTime = 0;
    /// Scan code of the key held, to tell auto-repeat from a new press.
    int scancode_old = 0;
    /// The press began with AltGr.
    int AltGr_Down_SVE = 0;
    ModifierState mods;
    PressModifiers press;
    KeyDefinitionMode definition;
};

/// Timer ticks (display count) of the previous press of the keys that know a double press.
struct DoublePressTicks {
    int margin_up = 0;
    int margin_down = 0;
    int netto_average = 0;
};

/// The keyboard watch: the hook's state and the hotkeys it turns keys into, commands on the
/// flight cycle (the run states, switches and levels the pilot sets) and on the windows.
class KeyWatch {
  public:
    /// `cycle` and `display` (what the windows show, which the keys change) must outlive the
    /// watch.
    KeyWatch(FlightCycle& cycle, DisplayStateRecord& display) : cycle_(cycle), display_(display) {}
    KeyWatch(const KeyWatch&) = delete;
    KeyWatch& operator=(const KeyWatch&) = delete;

    /// (Re)installs the hook through the platform's keyboard watch. Returns its handle, 0 on
    /// failure (logged; the program goes on without hotkeys until the next restart). The
    /// installed hook calls this watch: release it before the watch goes.
    long start();
    /// Removes the hook; false when the system refused.
    bool release();
    /// Delivers the events the watch has gathered and ends a key-definition mode whose time is
    /// up (called at each timer tick).
    void poll();

    /// Starts key-definition mode at `now` (display clock, s). The events that arrived before
    /// it are handled first, and shown not.
    void start_key_definition(double now);
    /// Ends key-definition mode when its time is up at `now`, with a line that says so.
    void key_definition_tick(double now);

    /// The hook procedure, for one event: `code` is the system's hook code.
    void on_event(int code, const KeyEvent& event);

    /// Handles the release of a key (scan code with 256 added for extended keys, virtual key)
    /// at time `now` (ms, the events' clock): the simulator's chat, then the hotkeys.
    void check_keys(int scancode, int pressedKey, std::uint32_t now);

    /// 1 when hotkey code `ThisKey` is the key released (virtual key `pressedKey`, scan code
    /// `scancode` with 256 added for extended keys) with exactly its modifiers, else 0.
    [[nodiscard]] int detect_key(int ThisKey, int pressedKey, int scancode) const;

    [[nodiscard]] FlightCycle& cycle() { return cycle_; }
    [[nodiscard]] DisplayStateRecord& display() { return display_; }
    [[nodiscard]] const KeyboardHookState& state() const { return state_; }

  private:
    void handle_event(int code, const KeyEvent& event, int scancode);
    void check_mod_keys(int scancode, int vk, int flags);
    void check_mods(int pressedKey, std::uint32_t DwnTime, std::uint32_t now);
    void end_key_definition(const char* why);
    [[nodiscard]] bool showing() const { return state_.definition.showing; }
    void hotkeys(int scancode, int vk);
    void margin_up();
    void margin_down();
    void volume(bool up);
    void netto_average();
    void stopwatch();
    void task_timer();
    void integrator();
    [[nodiscard]] bool detect_task_timer_key(int code, int vk, int scancode) const;

    KeyboardHookState state_;
    DoublePressTicks ticks_;
    FlightCycle& cycle_;
    DisplayStateRecord& display_;
};

/// Shift, Ctrl, Alt, AltGr and the Windows keys: a modifier does not end key-definition mode.
[[nodiscard]] bool is_modifier_key(int vk);

/// The key and modifier parts of a key code: a key part above 5000 stands for a negative key
/// (a scan code) with one more modifier unit.
struct DecodedKey {
    int key = 0;
    int mods = 0;
};
[[nodiscard]] DecodedKey decode_key_code(int code);

/// The hook's numbering of a key number learned from the simulator: the simulator numbers an
/// extended key as its scan code + 128, the hook as its scan code + 256.
[[nodiscard]] int hook_scan_of_simulator_key(int number);

} // namespace kalveo
