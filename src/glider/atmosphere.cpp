#include "glider/atmosphere.h"

#include <cmath>

namespace kalveo {
namespace {

// The instrument's own constants, in single precision; deliberately not the textbook ones.
// They put the true-airspeed factor within about 0.03 % of the textbook tables (up to 20 km).
constexpr float kTropopause = 11000.0F;              // m
constexpr float kLapseRate = 0.0065F;                // K/m
constexpr float kSeaLevelTemperature = 288.15F;      // K
constexpr float kPressureExponent = 5.254988F;       // troposphere pressure power
constexpr float kSeaLevelPressure = 101325.0F;       // Pa
constexpr float kStratosphereTemperature = 216.65F;  // K
constexpr float kTropopausePressure = 22637.793F;    // Pa
constexpr float kStratosphereDecay = 0.00015766178F; // 1/m
constexpr float kGravity = 9.80665F;                 // m/s²
constexpr float kGasConstantAir = 287.0F;            // J/(kg·K), task-weather model
constexpr float kMolarMassAir = 0.02896F;            // kg/mol
constexpr float kUniversalGasConstant = 8.314462F;   // J/(mol·K)
constexpr float kReferenceDensity = 1.2247922F;      // kg/m³

} // namespace

AirState atmo_isa(float z) {
    if (kTropopause > z) {
        const float t = kSeaLevelTemperature - kLapseRate * z;
        const float p = kSeaLevelPressure *
                        std::pow(1.0F - kLapseRate * z / kSeaLevelTemperature, kPressureExponent);
        return {t, p};
    }
    const float p = kTropopausePressure * std::exp(-kStratosphereDecay * (z - kTropopause));
    return {kStratosphereTemperature, p};
}

AirState atmo_condor(float z, float t_00, float p_00) {
    const float t_c = (2.0F * t_00 - kLapseRate * z) * 0.5F;
    const float p_c = p_00 * std::exp(-kGravity * z / (kGasConstantAir * t_c));
    return {t_c, p_c};
}

float air_density(float pressure, float temperature) {
    return pressure * kMolarMassAir / kUniversalGasConstant / temperature;
}

float fmulatm_at(float z, bool qatmo_isa, float t_00, float p_00) {
    if (!qatmo_isa && t_00 > 0 && p_00 > 0) {
        const AirState air = atmo_condor(z, t_00, p_00);
        if (air.temperature > 0 && air.pressure > 0) return std::sqrt(p_00 / air.pressure);
    }
    const AirState air = atmo_isa(z);
    return std::sqrt(kReferenceDensity / air_density(air.pressure, air.temperature));
}

} // namespace kalveo
