#include "shell/instrument.h"

#include "config/settings_editor.h"
#include "cpw/cpw.h"
#include "display/display_state.h"
#include "display/event_loop.h"
#include "display/start_graphics.h"
#include "keys/hook.h"
#include "keys/window_keys.h"
#include "platform/console.h"
#include "report/log.h"
#include "shell/flight_sounds.h"

namespace kalveo {

Instrument::Instrument() : outputs_(default_flight_outputs()), cycle_(outputs_) {
    outputs_.upd_vne = [this](const FlightLayout& layout, std::string_view flap,
                              std::string_view unit) {
        return UpdVNE(layout, flap, unit, &windows_);
    };
    outputs_.upd_flp = UpdFlp;
    outputs_.upd_ang = UpdAng;
    outputs_.play_alarm = [this](int level, double vol) {
        latency_.alarm_started(link_.last_arrival());
        play_alarm_sound(sound_, level, vol);
    };
    outputs_.play_flap_call = [this](FlapCall call, double vol) {
        play_flap_sound(sound_, call, vol);
    };
    outputs_.my_beep = [this](int freq, int dur) {
        flight_beep(sound_, freq, dur, cycle_.controls().volumes.sndvol);
    };
}

int Instrument::open_link(int in_port, int out_port, std::string_view out_addr,
                          std::string_view simulator_host) {
    return link_.open(in_port, out_port, out_addr, simulator_host,
                      [this](std::string_view datagram) { return cycle_.my_tas(datagram); });
}

void Instrument::take_sound_lengths() {
    outputs_.sound_lengths = loaded_sound_lengths(sound_.files());
}

int Instrument::run_windows(std::string_view font, const DisplayOptions& options,
                            const double* flap_bank, std::string_view exit_question,
                            std::string_view stopped_question, std::string_view key_definition_text,
                            std::string_view unit) {
    cycle_.hold_datagrams(false);
    open_graphics(windows_, font, options, flap_bank, exit_question, stopped_question,
                  key_definition_text, unit);
    start_key_watch();
    prepare_graphics(windows_);
    // Registered on every pass: registering replaces the previous pass's callbacks.
    cpwTimerCallback(windows_.cpw, kTimerPeriodMs, kTimerId, 1, [this](pCpw, int) { tick(); });
    cpwKeyboardCallback(windows_.cpw,
                        [this](pCpw cpw, CpwWindowId id, int key, int state, int x, int y) {
                            keyboard(key_watch_, cpw, id, key, state, x, y);
                        });
    cpwSystemKeyboardCallback(windows_.cpw, syskeyboard);
    cpwMainLoop(windows_.cpw);
    cleanup();
    return display_state.Restart != 0 ? 1 : 0;
}

void Instrument::tick() {
    DisplayStateRecord& s = display_state;
    const double now = display_clock();
    s.buf_walclk = wall_clock_text();

    // Keys: the watch kept alive, and the key events since the last tick acted on.
    restart_key_watch_when_due(now);
    if (s.KbdHookEnabled != 0) key_watch_.poll();
    log_timer_line(s, now);

    // Datagrams: every one read and forwarded; the newest stepped through the cycle, which
    // plays what it asks for (alarm, flap calls) and hands the windows their values.
    const int bytes = link_.read();
    const int tas = bytes > 0 ? link_.decoded(cycle_.my_tas(link_.newest())) : 0;
    if (s.count < kTracedTicks || s.Debug != 0) log_printf("ByteReceived %d", bytes);
    if (bytes > 0) show_datagram(s, tas, now);

    // Windows: what the keys asked of them, the end of the run, and a redraw when due.
    serve_window_requests(windows_, s, now);
    // The settings editor has been closed and the new settings are wanted: start again.
    if (settings_edit_ended() != 0) {
        end_run(windows_, s, true);
        return;
    }
    if (check_simulator_stopped(s, now, program_stop_probe(cycle_.facts().installation))) {
        end_run(windows_, s, false);
        return;
    }
    advance_windows(windows_, s, now);
}

void Instrument::start_key_watch() {
    DisplayStateRecord& s = display_state;
    if (s.KbdHookEnabled == 0) return;
    const long handle = key_watch_.start();
    log_printf("Keyboard Hook started : %ld", handle);
    if (handle != 0) return;
    // A watch that cannot start (no X display of its own, no XInput2) leaves the hotkeys to
    // the windows rather than to nothing.
    log_printf("Keyboard hook not available : the hotkeys work in the Kalveo windows");
    s.KbdHookEnabled = 0;
}

void Instrument::restart_key_watch_when_due(double now) {
    DisplayStateRecord& s = display_state;
    if (s.WeAreClosing != Closing::no || s.KbdAutoRst == 0 || s.KbdHookEnabled == 0) return;
    if (s.KbdTime + 60.0 * s.KbdAutoRst >= now) return;
    const long handle = key_watch_.start();
    s.KbdTime = now;
    log_printf("Keyboard Hook restarted : %ld %ld %d", handle, static_cast<long>(now),
               static_cast<int>(s.WeAreClosing));
}

void Instrument::cleanup() {
    DisplayStateRecord& s = display_state;
    if (windows_closed()) return;
    log_printf("\nCleanup started");
    s.WeAreClosing = Closing::yes;
    // The core keeps no file open between packets: its clean-up has nothing left to close.
    log_printf("Core cleanup");
    if (s.KbdHookEnabled != 0) {
        log_printf("Release Hook");
        if (!key_watch_.release()) log_printf("Error: %ld", static_cast<long>(last_system_error()));
    }
    log_printf("Close UDP");
    link_.close();
    close_windows(windows_);
    log_printf("Cleanup complete");
}

void Instrument::close() {
    cleanup();
    free_graphics(windows_);
}

} // namespace kalveo
