#include "glider/atmosphere.h"

#include <cmath>

namespace kalveo {
namespace {

constexpr double kTropopause = 11000.0;             // m
constexpr double kLapseRate = 0.0065;               // K/m
constexpr double kSeaLevelTemperature = 288.15;     // K
constexpr double kSeaLevelPressure = 101325.0;      // Pa
constexpr double kStratosphereTemperature = 216.65; // K
// g0·M/(R·L) and g0·M/(R·T11) with the standard's own constants, and the
// pressure the troposphere formula reaches at 11000 m, so both layers meet.
constexpr double kPressureExponent = 5.2558761;
constexpr double kStratosphereDecay = 1.5768841e-4; // 1/m
constexpr double kTropopausePressure = 22632.064;   // Pa
constexpr double kGravity = 9.80665;                // m/s²
constexpr double kGasConstantAir = 287.0;           // J/(kg·K), task-weather model
constexpr double kMolarMassAir = 0.02896;           // kg/mol
constexpr double kUniversalGasConstant = 8.314462;  // J/(mol·K)
constexpr double kReferenceDensity = 1.2247922;     // kg/m³

} // namespace

AirState atmo_isa(float z) {
    const double h = z;
    if (kTropopause > h) {
        const double t = kSeaLevelTemperature - kLapseRate * h;
        const double p = kSeaLevelPressure *
                         std::pow(1.0 - kLapseRate * h / kSeaLevelTemperature, kPressureExponent);
        return {static_cast<float>(t), static_cast<float>(p)};
    }
    const double p = kTropopausePressure * std::exp(-kStratosphereDecay * (h - kTropopause));
    return {static_cast<float>(kStratosphereTemperature), static_cast<float>(p)};
}

AirState atmo_condor(float z, float t_00, float p_00) {
    const double t_c = (2.0 * t_00 - kLapseRate * z) * 0.5;
    const double p_c = p_00 * std::exp(-kGravity * z / (kGasConstantAir * t_c));
    return {static_cast<float>(t_c), static_cast<float>(p_c)};
}

float air_density(float pressure, float temperature) {
    return static_cast<float>(pressure * kMolarMassAir / kUniversalGasConstant / temperature);
}

float fmulatm_at(float z, bool qatmo_isa, float t_00, float p_00) {
    if (!qatmo_isa && t_00 > 0 && p_00 > 0) {
        const AirState air = atmo_condor(z, t_00, p_00);
        if (air.temperature > 0 && air.pressure > 0) {
            return static_cast<float>(std::sqrt(static_cast<double>(p_00) / air.pressure));
        }
    }
    const AirState air = atmo_isa(z);
    return static_cast<float>(
        std::sqrt(kReferenceDensity / air_density(air.pressure, air.temperature)));
}

} // namespace kalveo
