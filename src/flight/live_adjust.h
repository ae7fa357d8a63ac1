// flight/live_adjust: the changes the pilot makes while flying (alarm, margin, volume,
// flap sounds, averages and timers, polar point), used by the hotkeys.
#pragma once

#include "flight/records.h"

namespace kalveo {

/// VNE alarm on or off.
void enable_vne(bool on);

/// Alarm margin below the VNE, in display units; moves the alarm start va1.
void update_dv1(int dv1_c);

/// General sound volume, 0 to 1.
void update_vol(double volume);

/// Flap sounds on (nso_c not 0) or off; only for gliders with flaps.
void update_flap_sound(int nso_c);

/// Netto average run state (reset: it starts again).
void start_avn(RunState state);

/// Climb average run state (reset: it starts again and runs).
void start_ave(RunState state);

/// Stopwatch run state (reset: back to zero, then running).
void start_stopwatch(RunState state);

/// Task timer run state (reset: back to zero).
void start_task_timer(RunState state);

/// Polar mode: records one polar point as soon as the speed is steady.
void write_pol();

} // namespace kalveo
