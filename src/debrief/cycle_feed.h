// debrief/cycle_feed: what the keeper takes from the per-packet cycle. The one place that knows
// where the cycle and its records keep each value, so that moving them changes only this file.
#pragma once

#include "debrief/flight_keeper.h"
#include "flight/cycle.h"

#include <string>

namespace kalveo::debrief {

/// The flight's header once its first datagram has set it up; `started` the local date and
/// time of that datagram ("YYYY-MM-DD HH:MM:SS").
[[nodiscard]] FlightHeader header_of(const FlightCycle& cycle, const std::string& started);

/// The values of the packet the cycle has just processed.
[[nodiscard]] KeptSample sample_of(const FlightCycle& cycle);

/// What the pilot's keys can change in the cycle, seen before they act.
struct ControlsSeen {
    InstrumentStatus status;
    bool polar_asked = false; ///< a polar point waits to be taken
};
[[nodiscard]] ControlsSeen controls_seen(const FlightCycle& cycle);

/// Hands the keeper what each packet brought: the sample, and a polar point when one was taken.
class CycleFeed {
  public:
    /// After each packet the cycle processed.
    void after_packet(const FlightCycle& cycle, FlightKeeper& keeper);
    /// When the cycle plays flap call `call` (from its play_flap_call output).
    void flap_call(const FlightCycle& cycle, FlapCall call, FlightKeeper& keeper) const;

    /// After the keys acted on the cycle: one event for each control they changed, then the
    /// sound of alarm level `key_sound` (-1 none) a key played for the pilot to hear.
    void keys_acted(const FlightCycle& cycle, const ControlsSeen& before, int key_sound,
                    FlightKeeper& keeper) const;

  private:
    int polar_points_ = 0;
};

} // namespace kalveo::debrief
