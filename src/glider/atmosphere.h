// glider/atmosphere: the standard and the task-weather atmosphere, and the
// factor that turns indicated into true airspeed.
#pragma once

namespace kalveo {

/// Temperature and pressure of the air at one altitude.
struct AirState {
    float temperature = 0; ///< K
    float pressure = 0;    ///< Pa
};

/// Standard atmosphere at altitude `z` (m above sea level; below sea level the
/// troposphere formula continues). Pure.
[[nodiscard]] AirState atmo_isa(float z);

/// Task-weather atmosphere: the mean temperature of the column between the
/// reference level and `z` under 0.0065 K/m, and the pressure from it.
/// `z` in m, `t_00` reference temperature (K, > 0), `p_00` reference pressure (Pa).
[[nodiscard]] AirState atmo_condor(float z, float t_00, float p_00);

/// Air density (kg/m³) from pressure (Pa) and temperature (K).
[[nodiscard]] float air_density(float pressure, float temperature);

/// True airspeed divided by indicated airspeed at altitude `z` (m).
/// With `qatmo_isa` the standard atmosphere decides; otherwise the task
/// weather (`t_00` K, `p_00` Pa from the flight plan). Until a flight plan has
/// supplied a usable temperature and pressure the standard atmosphere stands
/// in, so the factor never becomes infinite or NaN.
[[nodiscard]] float fmulatm_at(float z, bool qatmo_isa, float t_00, float p_00);

} // namespace kalveo
