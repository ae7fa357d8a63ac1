#include "glider/atmosphere.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

// Standard atmosphere by geopotential altitude (ICAO / U.S. Standard
// Atmosphere 1976 tables), pressure as printed there.
struct Reference {
    float z;           // m
    float temperature; // K
    float pressure;    // Pa
    float printed;     // half the last printed digit of the pressure, Pa
};

constexpr Reference kReferences[] = {
    {0, 288.15F, 101325.0F, 0.5F},     {1000, 281.65F, 89874.6F, 0.05F},
    {2000, 275.15F, 79495.2F, 0.05F},  {3000, 268.65F, 70108.5F, 0.05F},
    {4000, 262.15F, 61640.2F, 0.05F},  {5000, 255.65F, 54019.9F, 0.05F},
    {6000, 249.15F, 47181.0F, 0.05F},  {7000, 242.65F, 41060.7F, 0.05F},
    {8000, 236.15F, 35599.8F, 0.05F},  {9000, 229.65F, 30742.5F, 0.05F},
    {10000, 223.15F, 26436.3F, 0.05F}, {11000, 216.65F, 22632.1F, 0.05F},
    {15000, 216.65F, 12044.6F, 0.05F}, {20000, 216.65F, 5474.89F, 0.005F},
};

// A few units in the last place of a float, on top of the table's rounding.
float tolerance(const Reference& r) {
    return r.printed + 4 * r.pressure * 1.2e-7F;
}

TEST(StandardAtmosphere, MatchesTheReferenceTables) {
    for (const Reference& r : kReferences) {
        const AirState air = atmo_isa(r.z);
        EXPECT_NEAR(air.temperature, r.temperature, 1e-4F) << "z = " << r.z;
        EXPECT_NEAR(air.pressure, r.pressure, tolerance(r)) << "z = " << r.z;
    }
}

TEST(StandardAtmosphere, LayersMeetAtTheTropopause) {
    const AirState below = atmo_isa(10999.99F);
    const AirState at = atmo_isa(11000.0F);
    EXPECT_FLOAT_EQ(at.temperature, 216.65F);
    EXPECT_NEAR(below.pressure, at.pressure, 0.05F);
    EXPECT_NEAR(below.temperature, at.temperature, 1e-3F);
}

TEST(StandardAtmosphere, BelowSeaLevelTheTroposphereContinues) {
    const AirState air = atmo_isa(-400.0F);
    EXPECT_NEAR(air.temperature, 290.75F, 1e-4F);
    EXPECT_GT(air.pressure, 101325.0F);
    EXPECT_LT(fmulatm_at(-400.0F, true, 0, 0), 1.0F);
}

TEST(StandardAtmosphere, TrueAirspeedFactorFollowsTheDensity) {
    EXPECT_NEAR(fmulatm_at(0.0F, true, 0, 0), 1.0F, 2e-7F);
    // sqrt(rho0 / rho) from the density ratios the tables print to four places.
    EXPECT_NEAR(fmulatm_at(3000.0F, true, 0, 0), 1.0 / std::sqrt(0.7422), 2e-4);
    EXPECT_NEAR(fmulatm_at(6000.0F, true, 0, 0), 1.0 / std::sqrt(0.5385), 2e-4);
    EXPECT_NEAR(fmulatm_at(11000.0F, true, 0, 0), 1.0 / std::sqrt(0.2971), 2e-4);
    // Whatever the task weather says, the standard model ignores it.
    EXPECT_EQ(fmulatm_at(3000.0F, true, 300.0F, 99000.0F), fmulatm_at(3000.0F, true, 0, 0));
}

TEST(StandardAtmosphere, DensityFromPressureAndTemperature) {
    EXPECT_NEAR(air_density(101325.0F, 288.15F), 1.2247922F, 1e-6F);
    EXPECT_NEAR(air_density(50000.0F, 250.0F), 50000.0 * 0.02896 / 8.314462 / 250.0, 1e-6);
}

TEST(TaskWeatherAtmosphere, ReferenceLevelIsTheWeatherItself) {
    const AirState air = atmo_condor(0.0F, 301.15F, 101800.0F);
    EXPECT_EQ(air.temperature, 301.15F);
    EXPECT_EQ(air.pressure, 101800.0F);
    EXPECT_EQ(fmulatm_at(0.0F, false, 301.15F, 101800.0F), 1.0F);
    EXPECT_EQ(fmulatm_at(0.0F, false, 270.0F, 98000.0F), 1.0F);
}

TEST(TaskWeatherAtmosphere, UsesTheMeanColumnTemperature) {
    const float z = 2000.0F;
    const AirState air = atmo_condor(z, 298.15F, 101325.0F);
    const double t_c = 298.15 - 0.0065 * 2000 / 2;
    EXPECT_NEAR(air.temperature, t_c, 1e-4);
    EXPECT_NEAR(air.pressure, 101325.0 * std::exp(-9.80665 * 2000 / (287.0 * t_c)), 0.02);
    // The factor is the square root of the pressure ratio alone.
    EXPECT_NEAR(fmulatm_at(z, false, 298.15F, 101325.0F), std::sqrt(101325.0 / air.pressure), 1e-6);
}

TEST(TaskWeatherAtmosphere, FactorRisesWithAltitudeAndFollowsPressureOnly) {
    float previous = 1.0F;
    for (float z = 500.0F; z <= 6000.0F; z += 500.0F) {
        const float factor = fmulatm_at(z, false, 293.15F, 101325.0F);
        EXPECT_GT(factor, previous) << "z = " << z;
        previous = factor;
    }
    // A warmer column loses pressure more slowly, so its pressure ratio and
    // with it the factor stay smaller.
    EXPECT_LT(fmulatm_at(2500.0F, false, 308.15F, 101325.0F),
              fmulatm_at(2500.0F, false, 273.15F, 101325.0F));
}

TEST(TaskWeatherAtmosphere, WithoutWeatherTheStandardStandsIn) {
    // Before a flight plan has been read temperature and pressure are zero.
    EXPECT_EQ(fmulatm_at(1500.0F, false, 0.0F, 0.0F), fmulatm_at(1500.0F, true, 0, 0));
    EXPECT_EQ(fmulatm_at(1500.0F, false, 288.15F, 0.0F), fmulatm_at(1500.0F, true, 0, 0));
    EXPECT_TRUE(std::isfinite(fmulatm_at(90000.0F, false, 200.0F, 101325.0F)));
}

} // namespace
} // namespace kalveo
