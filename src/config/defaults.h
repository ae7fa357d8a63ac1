// config/defaults: the built-in defaults start-up puts into the shared records on every pass.
#pragma once

namespace kalveo {

/// Puts the built-in defaults into the shared records, as start-up does before the settings
/// file is read; on a restart pass this undoes what the previous pass and its flight set.
/// Left alone, because start-up carries them across passes: option.qrestart and
/// option.qkeepwnd, the time constants of my_tas_0, my_tas_c.msg_tit, my_tas_1.numver and
/// my_tas_1.condor_started, the paths found at start-up and the loaded sounds.
void apply_builtin_defaults();

} // namespace kalveo
