// flight/cycle_state: everything the per-packet cycle keeps from one packet to the next.
#pragma once

#include "flight/averages.h"
#include "flight/flap_advice.h"
#include "flight/polar_mode.h"

namespace kalveo {

/// The simulator's values as last received: a packet that lacks a value, or
/// sends one that is not a number, leaves the previous one in place.
struct SimulatorValues {
    double v = 0.0;             ///< indicated airspeed (m/s)
    double z = 0.0;             ///< altitude, scaled and offset (m)
    double vx = 0.0;            ///< ground velocity, x (m/s)
    double vy = 0.0;            ///< ground velocity, y (m/s)
    double vz = 0.0;            ///< vertical speed (m/s)
    double tcalc = 0.0;         ///< simulator time of day (hours)
    double evario = 0.0;        ///< electronic vario (m/s)
    double nvario_condor = 0.0; ///< the simulator's netto vario (m/s)
    double yaw = 0.0;           ///< yaw (rad)
    double pitch = 0.0;         ///< pitch (rad)
    double bank = 0.0;          ///< bank (rad)
    double compass = 0.0;       ///< heading (degrees)
    bool qcompass = false;      ///< the simulator sends a heading
    double yawstring = 0.0;     ///< yaw-string deflection
};

/// Times and values of earlier packets.
struct PacketHistory {
    double tcalc_000 = 0.0; ///< time of the first packet of the flight (hours)
    double tcalc_m1 = 0.0;  ///< time of the previous packet (hours)
    double tcalc_m2 = 0.0;  ///< time of the packet before (hours)
    double v_m1 = 0.0;      ///< indicated airspeed of the previous packet (m/s)
    double tas_m1 = 0.0;    ///< true airspeed of the previous packet (m/s)
    double tas_m2 = 0.0;    ///< true airspeed of the packet before (m/s)
    double vx_m1 = 0.0;     ///< ground velocity x of the previous packet (m/s)
    double vy_m1 = 0.0;     ///< ground velocity y of the previous packet (m/s)
    double vz_m1 = 0.0;     ///< vertical speed of the previous packet (m/s)
    double z_m1 = 0.0;      ///< altitude of the previous packet (m)
    double beta = 0.0;      ///< track angle of the air vector (rad)
    double beta_m = 0.0;    ///< track angle at the previous packet (rad)
    double dts = 0.0;       ///< simulator seconds since the first packet (s)
};

/// All the cycle keeps. Lives as long as the cycle; a new flight after a settings
/// restart keeps the filters and sums, as the pilot's instruments do.
struct CycleState {
    SimulatorValues sim;
    PacketHistory history;
    AverageState averages;
    FlapAdviceState flaps;
    PolarState polar;
    double count_0 = 0.0;   ///< clock counter at the first packet of the flight (s)
    double temps_vne = 0.0; ///< earliest start of the next alarm sound (s of temps)
    double rho_c_0 = 0.0;   ///< sea-level air density of the flight's weather (kg/m3)
    int last_result = 0;    ///< true airspeed in display units of the last packet
    int start_logs = 0;     ///< datagrams of the flight's first second still to be logged
};

} // namespace kalveo
