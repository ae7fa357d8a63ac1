// shell/latency_probe: how long after a datagram over the alarm speed reaches the socket the
// alarm leaves the mixer. On when the environment variable KALVEO_LATENCY_PROBE is set; each
// measurement becomes a log line "Alarm latency : <ms> ms (left the mixer at <epoch s>)", the
// time counted from the arrival of the datagram the cycle decoded; the epoch time lets a
// sender that knows when it first crossed the alarm speed count from there.
#pragma once

#include "sound/sound.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

namespace kalveo {

class LatencyProbe {
  public:
    /// Turns the probe on when KALVEO_LATENCY_PROBE is set: the output of `sound`'s mixer is
    /// watched (the probe must outlive the engine's device). Returns true then: the link must
    /// stamp the datagrams' arrival (ask before it opens).
    bool start_if_asked(SoundEngine& sound);

    /// The cycle is starting an alarm sound for the datagram just decoded, which arrived at
    /// `arrival` (s since the epoch; 0 unknown). Logs the measurements finished since the last
    /// call, then arms a new one when the mixer was silent.
    void alarm_started(double arrival);

    /// The watch on the mixer's output (audio thread): the first sounding buffer after an
    /// armed alarm ends the measurement at `now` (seconds since the epoch).
    void mixed(std::span<const std::int16_t> samples, double now);

  private:
    static constexpr double kNotArmed = -1.0;
    struct Finished {
        double latency_ms; ///< from the decoded datagram's arrival
        double heard;      ///< when the buffer left the mixer (s since the epoch)
    };

    bool on_ = false;
    // Arrival of the datagram whose alarm is awaited; written on the main thread, taken on
    // the audio thread.
    std::atomic<double> armed_arrival_{kNotArmed};
    // Whether the mixer's last buffer was silent: only an alarm that starts from silence can
    // be told apart in the output.
    std::atomic<bool> mixer_silent_{true};
    std::mutex finished_lock_;
    std::vector<Finished> finished_;
};

} // namespace kalveo
