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

bool LatencyProbe::start_if_asked(SoundEngine& sound) {
    if (!get_env("KALVEO_LATENCY_PROBE")) return false;
    on_ = true;
    sound.watch_mixed_buffers(
        [this](std::span<const std::int16_t> samples) { mixed(samples, epoch_seconds_now()); });
    return true;
}

void LatencyProbe::alarm_started(double arrival) {
    if (!on_) return;
    std::vector<Finished> done;
    {
        const std::lock_guard<std::mutex> hold(finished_lock_);
        done.swap(finished_);
    }
    for (const auto& f : done)
        log_printf("Alarm latency : %.2f ms (left the mixer at %.6f)", f.latency_ms, f.heard);
    if (arrival > 0.0 && mixer_silent_.load() && armed_arrival_.load() == kNotArmed)
        armed_arrival_.store(arrival);
}

void LatencyProbe::mixed(std::span<const std::int16_t> samples, double now) {
    const bool silent =
        std::all_of(samples.begin(), samples.end(), [](std::int16_t s) { return s == 0; });
    mixer_silent_.store(silent);
    if (silent) return;
    const double arrival = armed_arrival_.exchange(kNotArmed);
    if (arrival == kNotArmed) return;
    const std::lock_guard<std::mutex> hold(finished_lock_);
    finished_.push_back({(now - arrival) * 1000.0, now});
}

} // namespace kalveo
