// keys/hotkeys: what each hotkey does when its key is released: the simulator's chat (which
// suspends every hotkey while the pilot types), the alarm margin and switch, the volume, flap
// sounds, head-up speed, averages and timers, polar points, g-meter, bug wipe, horizon window.
#pragma once

#include <cstdint>

namespace kalveo {

/// Presses of the same key closer than this many timer ticks (0.3 s) are a double press.
inline constexpr int kDoublePressTicks = 12;

/// Handles the release of a key (scan code with 256 added for extended keys, virtual key,
/// event flags) at time `now` (ms, the events' clock).
void check_keys(int scancode, int pressedKey, int flags, std::uint32_t now);

/// The volume after one step up or down: small steps where the ear is sensitive, within 0..1,
/// to the hundredth.
[[nodiscard]] float volume_up(float vol);
[[nodiscard]] float volume_down(float vol);

} // namespace kalveo
