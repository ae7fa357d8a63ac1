// config/defaults: the state start-up clears on every pass, before the settings are read.
#pragma once

namespace kalveo {

/// Clears what a previous pass and its flight left in the shared records (the flight's
/// glider, the simulator found); the flight cycle starts its own records and the pilot's
/// controls again when it takes the pass's settings. The settings themselves are not here:
/// their defaults are the member initialisers of Settings. Left alone, because start-up
/// carries them across passes: cmndta001.qrestart and cmndta001.qkeepwnd, my_tas_c.msg_tit,
/// my_tas_1.numver, the paths found at start-up and the loaded sounds.
void reset_run_state();

} // namespace kalveo
