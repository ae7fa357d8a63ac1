// shell/instrument: the instrument as a whole. It owns the windows, the sound engine, the
// flight cycle, the telemetry link and the cycle's outputs, starts the keyboard watch, and runs the
// 25 ms tick that the windowing component's timer calls: keys, datagrams, cycle, sounds, windows,
// in that order.
#pragma once

#include "config/settings_value.h"
#include "debrief/cycle_feed.h"
#include "debrief/flight_keeper.h"
#include "display/display_options.h"
#include "display/instrument_windows.h"
#include "flight/cycle.h"
#include "flight/outputs.h"
#include "keys/hook.h"
#include "link/udp_link.h"
#include "shell/latency_probe.h"
#include "sound/sound.h"

#include <memory>
#include <string_view>

namespace kalveo {

class Instrument {
  public:
    /// Connects the cycle's outputs to the sound files and the windows.
    Instrument();
    Instrument(const Instrument&) = delete;
    Instrument& operator=(const Instrument&) = delete;

    /// The settings of this pass, for the cycle's set-up and advice, the link's language and
    /// whether flights are kept. The cycle holds the datagrams until run_windows: the pass has
    /// then finished.
    void take_settings(const Settings& settings) {
        cycle_.take_settings(settings);
        cycle_.hold_datagrams(true);
        link_.speak_french(settings.program.french);
        keep_flights_ = settings.program.debrief;
    }

    /// The simulator's installation as start-up found it, for each flight's set-up.
    void take_installation(const Installation& found) { cycle_.take_installation(found); }

    /// The language of this pass and its texts, for each flight's set-up.
    void take_language(std::string_view code, const MessagesRecord& texts) {
        cycle_.take_language(code, texts);
    }

    /// Opens the telemetry link (UdpLink::open); a datagram already waiting goes through the
    /// cycle. Returns what the link's open returns.
    int open_link(int in_port, int out_port, std::string_view out_addr,
                  std::string_view simulator_host);

    /// Starts the alarm-latency probe when the environment asks for it (see LatencyProbe);
    /// before the link opens.
    void start_latency_probe_if_asked() {
        if (latency_.start_if_asked(sound_)) link_.stamp_arrivals(true);
    }

    /// The loaded sounds' lengths, which pace the cycle's sounds; after the sounds loaded.
    void take_sound_lengths();

    /// Opens the windows (see open_graphics), starts the keyboard watch and runs the event
    /// loop with the tick until the run ends; then cleans up. Returns 1 when the settings
    /// editor asked for a restart, else 0.
    int run_windows(std::string_view font, const DisplayOptions& options, const double* flap_bank,
                    std::string_view exit_question, std::string_view stopped_question,
                    std::string_view key_definition_text, std::string_view unit);

    /// One tick of the event loop (every kTimerPeriodMs).
    void tick();

    /// Orderly end of a run: keyboard watch, socket, windows. Safe to call twice.
    void cleanup();

    /// The end of the program: cleanup, then the windowing component released.
    void close();

    /// Writes the pages of the kept flights that have none (a run killed mid-flight), each
    /// logged.
    static void write_missing_pages();

    /// Whether the windowing component is open (from the windows' opening to close()).
    [[nodiscard]] bool has_windows() const { return windows_.cpw != nullptr; }

    [[nodiscard]] const FlightCycle& cycle() const { return cycle_; }
    [[nodiscard]] SoundEngine& sound() { return sound_; }
    [[nodiscard]] const UdpLink& link() const { return link_; }
    /// What the windows draw from.
    [[nodiscard]] DisplayStateRecord& display() { return windows_.state; }

  private:
    void start_key_watch();
    void restart_key_watch_when_due(double now);
    // The flight kept: each datagram through the cycle, the keys' effects, its end and page.
    int step(std::string_view datagram);
    debrief::ControlsSeen start_keys() {
        in_keys_ = true;
        return debrief::controls_seen(cycle_);
    }
    void keys_acted(const debrief::ControlsSeen& before);
    void end_flight();

    InstrumentWindows windows_;
    LatencyProbe latency_; // watches the engine's mixer: outlives it
    SoundEngine sound_;
    FlightOutputs outputs_;
    FlightCycle cycle_;
    KeyWatch key_watch_{cycle_, windows_.state}; // acts on the cycle and the windows: after them
    UdpLink link_;
    bool keep_flights_ = true;
    std::unique_ptr<debrief::FlightKeeper> keeper_;
    debrief::CycleFeed feed_;
    int key_sound_ = -1; // the alarm level a key played for the pilot to hear, -1 none
    bool in_keys_ = false;
};

} // namespace kalveo
