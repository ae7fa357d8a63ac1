#include "shell/latency_probe.h"

#include "platform/env.h"
#include "platform/socket.h"
#include "report/log.h"
#include "sound/sound.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <vector>

namespace kalveo {

namespace {

constexpr double kNotArmed = -1.0;

struct Probe {
    bool on = false;
    // Arrival of the datagram whose alarm is awaited; written on the main thread, taken on
    // the audio thread.
    std::atomic<double> armed_arrival{kNotArmed};
    // Whether the mixer's last buffer was silent: only an alarm that starts from silence can
    // be told apart in the output.
    std::atomic<bool> mixer_silent{true};
    std::mutex finished_lock;
    struct Finished {
        double latency_ms; ///< from the decoded datagram's arrival
        double heard;      ///< when the buffer left the mixer (s since the epoch)
    };
    std::vector<Finished> finished;
};

Probe& probe() {
    static Probe p;
    return p;
}

} // namespace

bool start_latency_probe_if_asked(SoundEngine& sound) {
    if (!get_env("KALVEO_LATENCY_PROBE")) return false;
    probe().on = true;
    sound.watch_mixed_buffers([](std::span<const std::int16_t> samples) {
        latency_probe_mixed(samples, epoch_seconds_now());
    });
    return true;
}

void latency_probe_alarm_started(double arrival) {
    Probe& p = probe();
    if (!p.on) return;
    std::vector<Probe::Finished> done;
    {
        const std::lock_guard<std::mutex> hold(p.finished_lock);
        done.swap(p.finished);
    }
    for (const auto& f : done)
        log_printf("Alarm latency : %.2f ms (left the mixer at %.6f)", f.latency_ms, f.heard);
    if (arrival > 0.0 && p.mixer_silent.load() && p.armed_arrival.load() == kNotArmed)
        p.armed_arrival.store(arrival);
}

void latency_probe_mixed(std::span<const std::int16_t> samples, double now) {
    Probe& p = probe();
    const bool silent =
        std::all_of(samples.begin(), samples.end(), [](std::int16_t s) { return s == 0; });
    p.mixer_silent.store(silent);
    if (silent) return;
    const double arrival = p.armed_arrival.exchange(kNotArmed);
    if (arrival == kNotArmed) return;
    const std::lock_guard<std::mutex> hold(p.finished_lock);
    p.finished.push_back({(now - arrival) * 1000.0, now});
}

} // namespace kalveo
