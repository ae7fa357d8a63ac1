// config/defaults: the state start-up clears on every pass, before the settings are read.
#pragma once

namespace kalveo {

/// Clears what a previous pass left in the shared records: start-up has not finished. The flight
/// cycle starts its own records and the pilot's controls again when it takes the pass's settings;
/// the settings' defaults are the member initialisers of Settings; the simulator found and the
/// flight's glider are values that discovery and the flight's set-up build afresh. Left alone,
/// because start-up carries them across passes: cmndta001.qrestart and cmndta001.qkeepwnd,
/// kDefaultBoxTitle, my_tas_1.numver and the loaded sounds.
void reset_run_state();

} // namespace kalveo
