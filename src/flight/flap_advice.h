// flight/flap_advice: the recommended flap position, its arrow and its sounds.
#pragma once

#include "config/settings_value.h"
#include "flight/outputs.h"
#include "flight/records.h"

namespace kalveo {

/// What the flap advice keeps between packets.
struct FlapAdviceState {
    double gforce_m = 0.0;         ///< filtered load factor (g)
    double v_moy = 0.0;            ///< filtered equivalent speed (m/s)
    double xfl_moy = 0.0;          ///< filtered recommendation as a real position; 0 unset
    int nfl_0 = 0;                 ///< simulator position at the previous packet
    double temps_flaps_beep = 0.0; ///< wall-clock time of the last flap sound (s)
    double dur_last = 0.0;         ///< length of the last flap or landing sound (s)
};

/// The packet's values the advice works from.
struct FlapInputs {
    double ias = 0.0;    ///< indicated airspeed (m/s)
    double gforce = 1.0; ///< load factor (g)
    double bank = 0.0;   ///< bank angle (degrees)
    double dtc = 0.001;  ///< packet time step (s)
    double temps = 0.0;  ///< wall-clock seconds of the flight
    double mmass = 0.0;  ///< mass the glider data's flap speeds hold for (kg)
    double cmass = 0.0;  ///< present total mass (kg)
};

/// Raw recommendation: the fastest position of the flight's table whose flap speed lies
/// below `v` (m/s), 1 when none does.
[[nodiscard]] int raw_flap_position(double v, const FlightRecords& f);

/// One packet of the flap advice (only for gliders with flaps); `show_flaps` is the
/// "Display Flaps" setting (1: the arrow beside the position set, else the advice named);
/// `controls` say whether the advice is heard and how loud; `f` holds the flight's flap table
/// and the position set, and takes the speed factor of the advice.
void advise_flaps(const FlapInputs& in, FlapAdviceState& st, const FlightOutputs& out,
                  const FlapSettings& flaps, int show_flaps, const PilotControls& controls,
                  FlightRecords& f);

} // namespace kalveo
