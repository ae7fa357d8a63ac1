// shell/latency_probe: how long after a datagram over the alarm speed reaches the socket the
// alarm leaves the mixer. On when the environment variable KALVEO_LATENCY_PROBE is set; each
// measurement becomes a log line "Alarm latency : <ms> ms (left the mixer at <epoch s>)", the
// time counted from the arrival of the datagram the cycle decoded; the epoch time lets a
// sender that knows when it first crossed the alarm speed count from there.
#pragma once

#include "sound/sound.h"

#include <cstdint>
#include <span>

namespace kalveo {

/// Turns the probe on when KALVEO_LATENCY_PROBE is set: the output of `sound`'s mixer is
/// watched. Returns true then: the link must stamp the datagrams' arrival (ask before it
/// opens).
bool start_latency_probe_if_asked(SoundEngine& sound);

/// The cycle is starting an alarm sound for the datagram just decoded, which arrived at
/// `arrival` (s since the epoch; 0 unknown). Logs the measurements finished since the last
/// call, then arms a new one when the mixer was silent.
void latency_probe_alarm_started(double arrival);

/// The watch on the mixer's output (audio thread): the first sounding buffer after an armed
/// alarm ends the measurement at `now` (seconds since the epoch).
void latency_probe_mixed(std::span<const std::int16_t> samples, double now);

} // namespace kalveo
