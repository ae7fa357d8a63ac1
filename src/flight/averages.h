// flight/averages: thermal turns, netto and climb averages, stopwatch, task timer and clock.
#pragma once

#include "flight/records.h"

#include <string>

namespace kalveo {

/// What the averages and timers keep between packets.
struct AverageState {
    double bank_moy = 0.0;    ///< filtered bank angle (degrees)
    double th_turn = 0.0;     ///< accumulated turn angle while circling (rad)
    double nvario = 0.0;      ///< netto of this packet (m/s)
    double nvario_m1 = 0.0;   ///< netto of the previous packet (m/s)
    double som_nv = 0.0;      ///< netto integrated over time in straight flight (m)
    double dt_nv = 0.0;       ///< integration time of som_nv (s)
    double nvario_m = 0.0;    ///< netto average (m/s)
    double temps_int_0 = 0.0; ///< wall-clock start of the climb average (s)
    double alt_int_0 = 0.0;   ///< energy height at that start (m)
    double ivario_m = 0.0;    ///< climb average (m/s)
    double t0_tim = 0.0;      ///< stopwatch start (hours of simulator time)
    double t0_tsktim = 0.0;   ///< task timer start (hours of simulator time)
    RunState run_tsktim_old = RunState::stopped; ///< task timer state at the previous packet
    double nv1_m = 0.0;                          ///< netto average value handed to the display
    std::string tim_c = "00:00:00";              ///< stopwatch text
    std::string tsktim_c = "00:00:00";           ///< task timer text
    std::string clk_c = "00:00:00";              ///< simulator clock text
};

/// Bank filter and thermal-turn count. `bank` (degrees), `d_beta` change of track
/// (rad, -pi..pi), `urf` the packet's filter weight for the bank time constant.
void follow_turns(double bank, double d_beta, double urf, AverageState& st);

/// The packet's values the averages and timers work from.
struct AverageInputs {
    double dtc = 0.001;  ///< packet time step (s)
    double tcalc = 0.0;  ///< simulator time of day (hours)
    double temps = 0.0;  ///< wall-clock seconds of the flight
    double v = 0.0;      ///< indicated airspeed (m/s)
    double z = 0.0;      ///< altitude (m)
    double nvario = 0.0; ///< netto vario (m/s)
};

/// Energy height (m) of speed `v` (m/s) at altitude `z` (m).
[[nodiscard]] double energy_height(double v, double z);

/// Netto and climb averages, stopwatch, task timer and clock for one packet; runs the
/// reset and start requests of the run states `runs` (a started climb average or stopwatch
/// turns from reset to running). `fconv_vz` is the factor from m/s to the vario unit.
void run_averages_and_timers(const AverageInputs& in, ChronoRecord& runs, double fconv_vz,
                             AverageState& st);

} // namespace kalveo
