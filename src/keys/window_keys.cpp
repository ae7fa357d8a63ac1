#include "keys/window_keys.h"

#include "config/settings_editor.h"
#include "config/settings_writer.h"
#include "debrief/flight_pages.h"
#include "display/display_log.h"
#include "display/display_state.h"
#include "display/manual.h"
#include "display/start_graphics.h"
#include "display/window_input.h"
#include "flight/cycle.h"
#include "keys/hook.h"
#include "platform/dialogs.h"
#include "platform/program_path.h"
#include "report/log.h"

#include <filesystem>

namespace kalveo {

namespace {

// Letters are compared with a key code's lower case: the setting value + 32.
constexpr int kLowerCase = 32;
constexpr int kStep = 1;
constexpr int kShiftStep = 10;

void save_positions(const DisplayLook& s) {
    log_printf("Windows positions saved to Kalveo.ini");
    write_ini(0, s.DisWinX, s.DisWinY, s.HorWinX, s.HorWinY);
}

void restart_watch(KeyWatch& watch) {
    const DisplayStateRecord& s = watch.display();
    if (s.KbdHookEnabled == 0) return;
    const long handle = watch.start();
    log_printf("Keyboard Hook restarted : %ld count %d", handle, s.count);
}

bool window_command(KeyWatch& watch, int key) {
    const DisplayStateRecord& s = watch.display();
    switch (key) {
    // The editor runs beside the event loop, which takes up its end (and the restart).
    case 'e':
        start_settings_edit(0);
        return true;
    case 'c':
        start_settings_edit(1);
        return true;
    case 's':
        save_positions(s);
        return true;
    case 'h':
        display_manual(0, watch.cycle().facts().language);
        return true;
    case 'f':
        debrief::open_last_page(std::filesystem::path(get_inst_path()) / debrief::kFlightsFolder);
        return true;
    case 'k':
        restart_watch(watch);
        return true;
    case 'd':
        tinyfd_messageBox("Kalveo", s.MsgKeyDefi, "ok", "info", 1);
        if (s.KbdHookEnabled != 0) watch.start_key_definition(display_clock());
        return true;
    default:
        return false;
    }
}

// Without the keyboard watch the windows take the essential hotkeys themselves.
bool reduced_hotkey(DisplayStateRecord& s, FlightCycle& cycle, pCpw cpw, int key) {
    bool handled = false;
    if (key == s.KeyHor + kLowerCase && s.HorWinInfo.width > 0) {
        SetHorPos(s, cpw);
        handled = true;
    }
    if (key == s.KeySFl + kLowerCase) {
        const bool asked = !cycle.controls().flap_sounds;
        log_printf("FlapSound %d\n", asked ? 1 : 0);
        cycle.switch_flap_sounds(asked);
        handled = true;
    }
    if (key == s.KeyInc + kLowerCase) {
        cycle.raise_margin();
        handled = true;
    }
    if (key == s.KeyDec + kLowerCase) {
        cycle.lower_margin();
        handled = true;
    }
    if (handled) show_instrument_status(s, cycle.status());
    return handled;
}

void move_selected_window(DisplayStateRecord& s, pCpw cpw, int dx, int dy) {
    if (s.SelectedWindow == 0) return;
    const int step = s.ShiftKeyDown != 0 ? kShiftStep : kStep;
    const bool text = s.SelectedWindow == s.DisWinInfo.id;
    const bool horizon = s.SelectedWindow == s.HorWinInfo.id;
    if (!text && !horizon) return;
    CpwWindowInfo& window = text ? s.DisWinInfo : s.HorWinInfo;
    window.x += dx * step;
    window.y += dy * step;
    (text ? s.DisWinX : s.HorWinX) = window.x;
    (text ? s.DisWinY : s.HorWinY) = window.y;
    cpwPositionWindow(cpw, window.x, window.y, static_cast<CpwWindowId>(window.id));
    cpwPostRedisplay(cpw);
    log_printf(text ? "Txt Position X Y : %d %d" : "AH Position X Y : %d %d", window.x, window.y);
}

} // namespace

void keyboard(KeyWatch& watch, pCpw cpw, CpwWindowId id, int key, int state, int /*x*/, int /*y*/) {
    DisplayStateRecord& s = watch.display();
    if (state == CPW_KEYMOD_UP || s.WeAreClosing == Closing::yes) return;
    bool handled = false;
    if (s.ChatActive == 0) handled = window_command(watch, key);
    if (s.KbdHookEnabled == 0 && s.WeAreClosing != Closing::yes)
        handled = reduced_hotkey(s, watch.cycle(), cpw, key) || handled;
    if (!handled) return;
    // Only the keys that did something are logged, never what else was typed.
    if (s.Debug != 0) log_printf("Key %u %d %d", id, key, state);
    cpwPostRedisplay(cpw);
}

void syskeyboard(DisplayStateRecord& s, pCpw cpw, CpwWindowId /*id*/, int key, int state, int /*x*/,
                 int /*y*/) {
    if (s.WeAreClosing == Closing::yes) return;
    if (key == CPW_KEY_ESCAPE && state == CPW_KEYMOD_DOWN) {
        display_console("%s\n", s.MsgExitCnf.c_str());
        ask_exit(s, cpw);
        return;
    }
    if (key == CPW_KEY_SHIFT) s.ShiftKeyDown = state == CPW_KEYMOD_DOWN ? 1 : 0;
    if (state == CPW_KEYMOD_UP) return;
    switch (key) {
    case CPW_KEY_LEFT:
        move_selected_window(s, cpw, -1, 0);
        break;
    case CPW_KEY_RIGHT:
        move_selected_window(s, cpw, 1, 0);
        break;
    case CPW_KEY_UP:
        move_selected_window(s, cpw, 0, -1);
        break;
    case CPW_KEY_DOWN:
        move_selected_window(s, cpw, 0, 1);
        break;
    default:
        break;
    }
}

} // namespace kalveo
