#include "shell/instrument.h"

#include "config/settings_editor.h"
#include "cpw/cpw.h"
#include "debrief/flight_pages.h"
#include "display/display_state.h"
#include "display/event_loop.h"
#include "display/start_graphics.h"
#include "keys/hook.h"
#include "keys/window_keys.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/program_path.h"
#include "report/log.h"
#include "shell/flight_sounds.h"

#include <ctime>
#include <filesystem>

namespace kalveo {

namespace {

std::filesystem::path flights_folder() {
    return std::filesystem::path(get_inst_path()) / debrief::kFlightsFolder;
}

std::string local_time_text() {
    const std::tm now = local_time_now();
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &now);
    return text;
}

void log_page(const debrief::PageOfFlight& page, const std::filesystem::path& flight_file) {
    if (!page.page.empty()) log_verbatim("Flight page: " + page.page.string());
    if (!page.problem.empty())
        log_verbatim("Flight page of " + flight_file.string() + " : " + page.problem);
}

} // namespace

Instrument::Instrument() : outputs_(default_flight_outputs()), cycle_(outputs_) {
    outputs_.upd_vne = [this](const FlightLayout& layout, std::string_view flap,
                              std::string_view unit) {
        return UpdVNE(windows_.state, layout, flap, unit, &windows_);
    };
    outputs_.upd_flp = [this](std::string_view flap, int direction) {
        UpdFlp(windows_.state, flap, direction);
    };
    outputs_.upd_ang = [this](std::string_view stopwatch, std::string_view task_timer,
                              std::string_view clock, const InstrumentReading& reading,
                              const SpeedTrace& trace, int recorded, int points,
                              const PolarTable& polar) {
        UpdAng(windows_.state, stopwatch, task_timer, clock, reading, trace, recorded, points,
               polar);
    };
    outputs_.play_alarm = [this](int level, double vol) {
        // A key's own sound (the volume's) is kept as the key's, not as an alarm.
        if (in_keys_) key_sound_ = level;
        latency_.alarm_started(link_.last_arrival());
        play_alarm_sound(sound_, level, vol);
    };
    outputs_.play_flap_call = [this](FlapCall call, double vol) {
        if (keeper_) feed_.flap_call(cycle_, call, *keeper_);
        play_flap_sound(sound_, call, vol);
    };
    outputs_.my_beep = [this](int freq, int dur) {
        flight_beep(sound_, freq, dur, cycle_.controls().volumes.sndvol);
    };
}

int Instrument::open_link(int in_port, int out_port, std::string_view out_addr,
                          std::string_view simulator_host) {
    return link_.open(in_port, out_port, out_addr, simulator_host,
                      [this](std::string_view datagram) { return step(datagram); });
}

int Instrument::step(std::string_view datagram) {
    const int tas = cycle_.my_tas(datagram);
    if (!keep_flights_ || !cycle_.records().condor_started) return tas;
    if (!keeper_) {
        feed_ = debrief::CycleFeed{};
        keeper_ = std::make_unique<debrief::FlightKeeper>(
            flights_folder(), debrief::header_of(cycle_, local_time_text()));
        log_verbatim("Flight file: " + keeper_->file().string());
    }
    feed_.after_packet(cycle_, *keeper_);
    return tas;
}

void Instrument::keys_acted(const debrief::ControlsSeen& before) {
    in_keys_ = false;
    if (keeper_) feed_.keys_acted(cycle_, before, key_sound_, *keeper_);
    key_sound_ = -1;
}

void Instrument::end_flight() {
    if (!keeper_) return;
    keeper_->finish();
    const std::filesystem::path file = keeper_->file();
    if (!keeper_->problem().empty()) log_verbatim("Flight file : " + keeper_->problem());
    keeper_.reset();
    log_page(debrief::write_page_of(file, get_inst_path()), file);
}

void Instrument::write_missing_pages() {
    for (const std::filesystem::path& file : debrief::flights_without_page(flights_folder()))
        log_page(debrief::write_page_of(file, get_inst_path()), file);
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
                            const debrief::ControlsSeen before = start_keys();
                            keyboard(key_watch_, cpw, id, key, state, x, y);
                            keys_acted(before);
                        });
    cpwSystemKeyboardCallback(windows_.cpw,
                              [this](pCpw cpw, CpwWindowId id, int key, int state, int x, int y) {
                                  syskeyboard(windows_.state, cpw, id, key, state, x, y);
                              });
    cpwMainLoop(windows_.cpw);
    cleanup();
    return windows_.state.Restart != 0 ? 1 : 0;
}

void Instrument::tick() {
    DisplayStateRecord& s = windows_.state;
    const double now = display_clock();
    s.buf_walclk = wall_clock_text();

    // Keys: the watch kept alive, and the key events since the last tick acted on.
    restart_key_watch_when_due(now);
    if (s.KbdHookEnabled != 0) {
        const debrief::ControlsSeen before = start_keys();
        key_watch_.poll();
        keys_acted(before);
    }
    log_timer_line(s, now);

    // Datagrams: every one read and forwarded; the newest stepped through the cycle, which
    // plays what it asks for (alarm, flap calls) and hands the windows their values.
    const int bytes = link_.read();
    const int tas = bytes > 0 ? link_.decoded(step(link_.newest())) : 0;
    if (s.count < kTracedTicks || s.Debug != 0) log_printf("ByteReceived %d", bytes);
    if (bytes > 0) show_datagram(s, tas, now);

    // Windows: what the keys asked of them, the end of the run, and a redraw when due.
    serve_window_requests(windows_, now);
    // The settings editor has been closed and the new settings are wanted: start again.
    if (settings_edit_ended() != 0) {
        end_run(windows_, true);
        return;
    }
    if (check_simulator_stopped(s, now, program_stop_probe(cycle_.facts().installation))) {
        end_run(windows_, false);
        return;
    }
    advance_windows(windows_, now);
}

void Instrument::start_key_watch() {
    DisplayStateRecord& s = windows_.state;
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
    DisplayStateRecord& s = windows_.state;
    if (s.WeAreClosing != Closing::no || s.KbdAutoRst == 0 || s.KbdHookEnabled == 0) return;
    if (s.KbdTime + 60.0 * s.KbdAutoRst >= now) return;
    const long handle = key_watch_.start();
    s.KbdTime = now;
    log_printf("Keyboard Hook restarted : %ld %ld %d", handle, static_cast<long>(now),
               static_cast<int>(s.WeAreClosing));
}

void Instrument::cleanup() {
    DisplayStateRecord& s = windows_.state;
    end_flight();
    if (windows_closed(s)) return;
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
