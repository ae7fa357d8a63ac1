// shell/startup_wiring: connects the parts that meet only at run time: the telemetry link to
// the flight cycle, the flight cycle to the display and the sound engine, the manual viewer.
#pragma once

namespace kalveo {

/// Connects them once for the program's life; later calls do nothing.
void connect_program_parts();

/// Hands the lengths of the loaded sounds to the flight cycle, which paces its sounds by
/// them; called after the sound files have loaded.
void connect_sound_lengths();

} // namespace kalveo
