// flight/vne_alarm: the graded sound alarm before and above the never-exceed speed.
#pragma once

#include "flight/outputs.h"
#include "flight/records.h"

namespace kalveo {

/// Level of the alarm for a speed `dv` (m/s) above va1 in a band `dv2` (m/s) wide:
/// the integer part of 4 x dv / dv2, within 0..3.
[[nodiscard]] int alarm_level(double dv, double dv2);

/// Time (s) the next alarm sound may start after one of `level` and length `len` (s)
/// started at `temps`: back to back for a long level-3 sound, otherwise after a
/// pause that shrinks as the level rises (at most 0.8 s).
[[nodiscard]] double next_alarm_start(int level, double len, double temps);

/// One packet of the alarm. `tas` true airspeed (m/s), `temps` wall-clock seconds of
/// the flight; `temps_vne` (s) is the earliest start of the next sound, kept by the
/// caller. Plays nothing unless the pilot has the alarm on and tas is strictly above the
/// flight's alarm start `alarm.va1`.
void sound_vne_alarm(double tas, double temps, const PilotControls& controls,
                     const MyTas0Record& alarm, double& temps_vne, const FlightOutputs& out);

} // namespace kalveo
