// shell/startup_wiring: connects the parts that meet only at run time: the telemetry link to
// the flight cycle, the flight cycle to the display and the sound engine, the manual viewer.
#pragma once

namespace kalveo {

/// Connects them once for the program's life; later calls do nothing.
void connect_program_parts();

} // namespace kalveo
