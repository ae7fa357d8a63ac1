// keys/hotkeys: what each hotkey does when its key is released: the simulator's chat (which
// suspends every hotkey while the pilot types), the alarm margin and switch, the volume, flap
// sounds, head-up speed, averages and timers, polar points, g-meter, bug wipe, horizon window.
// The run states, switches and levels are the flight cycle's: a hotkey calls its command.
#pragma once

namespace kalveo {

/// Presses of the same key closer than this many timer ticks (0.3 s) are a double press.
inline constexpr int kDoublePressTicks = 12;

} // namespace kalveo
