// flight/live_adjust: the changes the pilot makes while flying (alarm, margin, volume,
// flap sounds, averages and timers, polar point), used by the hotkeys.
#pragma once

namespace kalveo {

/// VNE alarm on (iii not 0) or off.
void enable_vne(int iii);

/// Alarm margin below the VNE, in display units; moves the alarm start va1.
void update_dv1(int dv1_c);

/// General sound volume, 0 to 1.
void update_vol(double vvv);

/// Flap sounds on (nso_c not 0) or off; only for gliders with flaps.
void update_flap_sound(int nso_c);

/// Netto average run state: -1 reset, 0 stopped, 1 running.
void start_avn(int nnn);

/// Climb average run state: -1 restart, 0 stopped, 1 running.
void start_ave(int nnn);

/// Stopwatch run state (nnn below 50), or the task timer's as nnn - 100 (nnn from 50).
void start_tim(int nnn);

/// Polar mode: records one polar point as soon as the speed is steady.
void write_pol();

} // namespace kalveo
