#include "glider/atmosphere.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

// The standard atmosphere of this instrument, worked out in double precision
// from its own formulas and constants (not the textbook tables, which it
// misses by a few Pa by design).
struct Expected {
    float z;           // m
    float temperature; // K
    float pressure;    // Pa
    double factor;     // true / indicated airspeed
};

constexpr Expected kExpected[] = {
    {-400, 290.75F, 106222.579F, 0.98107101}, {0, 288.15F, 101325.0F, 1.0},
    {1000, 281.65F, 89876.392F, 1.04973836},  {3000, 268.65F, 70112.908F, 1.16076268},
    {6000, 249.15F, 47187.122F, 1.36259787},  {9000, 229.65F, 30748.655F, 1.62057513},
    {11000, 216.65F, 22637.793F, 1.83447293}, {15000, 216.65F, 12048.903F, 2.51451708},
    {20000, 216.65F, 5477.587F, 3.72935471},
};

TEST(StandardAtmosphere, FollowsItsOwnConstantsAtEveryAltitude) {
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.z);
        const AirState air = atmo_isa(e.z);
        EXPECT_NEAR(air.temperature, e.temperature, 1e-4F);
        // Single precision: a few units in the last place.
        EXPECT_NEAR(air.pressure, e.pressure, 4 * e.pressure * 1.2e-7F + 1e-3F);
        EXPECT_NEAR(fmulatm_at(e.z, true, 0, 0), e.factor, 4 * e.factor * 1.2e-7);
    }
}

TEST(StandardAtmosphere, SeaLevelIsTheReferenceItself) {
    const AirState air = atmo_isa(0.0F);
    EXPECT_EQ(air.temperature, 288.15F);
    EXPECT_EQ(air.pressure, 101325.0F);
    EXPECT_NEAR(fmulatm_at(0.0F, true, 0, 0), 1.0F, 1.2e-7F);
}

TEST(StandardAtmosphere, LayersMeetAtTheTropopause) {
    const AirState at = atmo_isa(11000.0F);
    EXPECT_EQ(at.temperature, 216.65F);
    EXPECT_EQ(at.pressure, 22637.793F);
    // The last altitude below 11000 m still takes the troposphere formula,
    // which arrives within hundredths of a pascal of the stratosphere's start.
    const AirState below = atmo_isa(std::nextafter(11000.0F, 0.0F));
    EXPECT_NEAR(below.temperature, 216.65F, 1e-4F);
    EXPECT_NEAR(below.pressure, 22637.793F, 0.03F);
    EXPECT_NEAR(atmo_isa(20000.0F).pressure, 5478.0F, 1.0F);
}

TEST(StandardAtmosphere, BelowSeaLevelTheTroposphereContinues) {
    const AirState air = atmo_isa(-400.0F);
    EXPECT_NEAR(air.temperature, 290.75F, 1e-4F);
    EXPECT_GT(air.pressure, 101325.0F);
    EXPECT_LT(fmulatm_at(-400.0F, true, 0, 0), 1.0F);
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
