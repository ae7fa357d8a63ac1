#include "flight/vne_alarm.h"

#include "flight/records.h"

#include <algorithm>

namespace kalveo {

int alarm_level(double dv, double dv2) {
    const double quarters = 4.0 * dv / dv2;
    // A zero or odd band width must not turn into an undefined conversion.
    if (!(quarters >= 0.0)) return 0;
    if (quarters >= kAlarmLevels - 1) return kAlarmLevels - 1;
    return static_cast<int>(quarters);
}

double next_alarm_start(int level, double len, double temps) {
    if (level == kAlarmLevels - 1 && len > 1.5) return temps + len;
    const double pause = std::clamp((kAlarmLevels - level) * len, 0.0, 0.8);
    return temps + len + pause;
}

void sound_vne_alarm(double tas, double temps, const PilotControls& controls,
                     const MyTas0Record& alarm, double& temps_vne, const FlightOutputs& out) {
    const double dv = tas - alarm.va1;
    if (!controls.vne_alarm || !(dv > 0.0) || temps < temps_vne) return;
    const int level = alarm_level(dv, alarm.dv2);
    const double vol = (0.7 + 0.1 * level) * controls.volumes.sndvol;
    if (out.play_alarm) out.play_alarm(level, vol);
    temps_vne =
        next_alarm_start(level, out.sound_lengths.alarm[static_cast<std::size_t>(level)], temps);
}

} // namespace kalveo
