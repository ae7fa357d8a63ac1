#include "display/event_loop.h"

#include "cpw/cpw.h"
#include "display/display_log.h"
#include "display/display_state.h"
#include "display/start_graphics.h"
#include "display/window_events.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "report/log.h"
#include "sim/install.h"

#include <cstdio>

namespace kalveo {

namespace {

constexpr int kInFlight = 1;
constexpr int kLogUnreadable = -999;
constexpr double kVolumeShownSeconds = 1.0;

void request_window_redraw(pCpw cpw, int id, std::size_t key, LastRedraw& last, double now) {
    if (id <= 0 || !redraw_due(key, last.key, now, last.time)) return;
    last = {key, now};
    cpwPostWindowRedisplay(cpw, static_cast<CpwWindowId>(id));
}

void request_redraw(InstrumentWindows& windows, double now) {
    const DisplayStateRecord& s = windows.state;
    const double clock = display_clock();
    request_window_redraw(windows.cpw, s.DisWinInfo.id, text_state_key(s, clock),
                          windows.text_redraw, now);
    request_window_redraw(windows.cpw, s.HorWinInfo.id, horizon_state_key(s, clock),
                          windows.horizon_redraw, now);
}

} // namespace

bool redraw_due(std::size_t key, std::size_t last_key, double now, double last_draw) {
    return key != last_key || now - last_draw >= kRedrawFloorSeconds;
}

int blink_phase(int count) {
    return ((((count / 2) % 4) + 1) / 2) % 2;
}

std::string wall_clock_text() {
    const std::tm t = local_time_now();
    char text[16];
    std::snprintf(text, sizeof text, "W: %02d:%02d:%02d", t.tm_hour % 100, t.tm_min % 100,
                  t.tm_sec % 100);
    return text;
}

bool check_simulator_stopped(DisplayStateRecord& s, double now, const StopProbe& probe) {
    const bool silent = s.GotTAS != 0 && now - s.LastTimeWeReceivedData > kDataSilenceSeconds;
    if (!silent || s.StopWait < -1) {
        // Data flows again: a declined question may be asked anew. A decided exit stays.
        if (s.WeAreClosing == Closing::declined) s.WeAreClosing = Closing::no;
        return false;
    }
    const int every = s.WeAreClosing == Closing::declined ? kProbeTicksDeclined : kProbeTicks;
    if (s.count % every != 0) return false;

    const int state = probe.simulator_state ? probe.simulator_state() : kInFlight;
    display_console("Condor running : %d %d \n", state, static_cast<int>(s.WeAreClosing));
    // An unreadable log says nothing about the simulator: it does not end the run.
    if (state == kInFlight || state == kLogUnreadable) {
        if (s.WeAreClosing == Closing::declined) s.WeAreClosing = Closing::no;
        return false;
    }
    if (s.WeAreClosing != Closing::no) return false;
    if (s.TimeCondorStopped == 0.0) s.TimeCondorStopped = now;
    if (now - s.TimeCondorStopped < s.StopWait) return false;

    const bool agreed = s.ConfirmStop == 0 || !probe.confirm || probe.confirm(s.MsgCndrStp);
    s.WeAreClosing = agreed ? Closing::yes : Closing::declined;
    return agreed;
}

StopProbe program_stop_probe(const Installation& installation) {
    StopProbe probe;
    probe.simulator_state = [&installation] { return condor_running(installation); };
    probe.confirm = [](const std::string& question) {
        return tinyfd_messageBox("Kalveo", question, "okcancel", "question", 1) == 1;
    };
    return probe;
}

void log_timer_line(const DisplayStateRecord& s, double now) {
    if (s.count % kTimerLogTicks != 0 && s.Debug == 0) return;
    log_printf(" ");
    log_printf("Timer : count, time, closing %d %d %d", s.count,
               static_cast<int>(now - s.StartTime), static_cast<int>(s.WeAreClosing));
}

void show_datagram(DisplayStateRecord& s, int tas, double now) {
    s.GotTAS = 1;
    s.tas = tas;
    s.LastTimeWeReceivedData = now;
}

void serve_window_requests(InstrumentWindows& windows, double now) {
    DisplayStateRecord& s = windows.state;
    if (s.MoveHorizon != 0) {
        SetHorPos(s, windows.cpw);
        s.MoveHorizon = 0;
    }
    if (s.DisVol != 0 && s.VolTime + kVolumeShownSeconds < now) s.DisVol = 0;
}

void end_run(InstrumentWindows& windows, bool restart) {
    DisplayStateRecord& s = windows.state;
    if (restart) {
        s.WeAreClosing = Closing::yes;
        s.Restart = 1;
    }
    cpwBreakMainLoop(windows.cpw);
}

void advance_windows(InstrumentWindows& windows, double now) {
    DisplayStateRecord& s = windows.state;
    if (s.count % 2 == 0) request_redraw(windows, now);
    s.count += 1;
    s.blink = blink_phase(s.count);
}

} // namespace kalveo
