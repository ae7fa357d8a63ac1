// What the page says of a flight: the summary from a synthetic flight, and a page that stands
// alone in the pilot's language.
#include "debrief/page.h"
#include "debrief/polar_fit.h"
#include "debrief/summary.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace kalveo::debrief {
namespace {

// One stretch of a synthetic flight, flown at 5 samples a second.
struct Stretch {
    double seconds;
    double tas; // m/s
    int level;
    int set, advised;
    bool circling;
    double vario; // m/s
    double netto; // m/s
};

KeptFlight fly(const std::vector<Stretch>& stretches) {
    KeptFlight f;
    f.header.glider = "Ventus</script><b>";
    f.header.flaps = {"L", "+8", "0"};
    double t = 0.0, altitude = 1000.0;
    for (const Stretch& s : stretches) {
        for (int n = 0; n < static_cast<int>(s.seconds * 5); ++n) {
            KeptSample k;
            k.t = t;
            k.tas = k.ias = s.tas;
            k.vne = 75.0;
            k.va1 = 72.0;
            k.altitude = altitude;
            k.alarm_level = s.level;
            k.flap_set = s.set;
            k.flap_advised = s.advised;
            k.circling = s.circling;
            k.netto = s.netto;
            f.samples.push_back(k);
            t += 0.2;
            altitude += s.vario * 0.2;
        }
    }
    return f;
}

TEST(Summary, SpeedsAlarmsFlapAdviceThermalsAndGlidesOfAFlight) {
    KeptFlight f = fly({
        {60, 30, -1, 2, 2, false, -1.0, 0.5},  // glide, flaps as advised
        {50, 25, -1, 1, 1, true, 2.0, 2.5},    // a thermal, 2 m/s
        {10, 40, -1, 2, 3, false, -2.0, -1.0}, // advice 0, lever late by 10 s
        {30, 45, -1, 3, 3, false, -2.0, -1.0},
        {4, 73, 0, 3, 3, false, -5.0, 0.0}, // the dive: 4 s level 0, 2 s level 2
        {2, 74.5, 2, 3, 3, false, -5.0, 0.0},
        {4, 76, 3, 3, 3, false, -5.0, 0.0},
        {10, 30, -1, 2, 2, false, -1.0, 0.0},
        {3, 73, 0, 2, 3, false, -1.0, 0.0}, // a second alarm
        {7, 30, -1, 2, 2, false, -1.0, 0.0},
    });
    // A key's feedback sound (the volume key plays the level-2 sound) is no alarm.
    f.events.push_back({100.0, EventKind::feedback, 2, 0, 0, "volume up"});
    const FlightSummary s = summarise(f);
    EXPECT_NEAR(s.duration, 180.0 - 0.2, 1e-9);
    EXPECT_NEAR(s.top_tas, 76.0, 1e-9);
    EXPECT_NEAR(s.top_tas_vne, 76.0 / 75.0, 1e-9);
    EXPECT_NEAR(s.top_tas_at, 156.0, 1e-9);
    EXPECT_NEAR(s.in_level[0], 7.0, 1e-6);
    EXPECT_NEAR(s.in_level[1], 0.0, 1e-6);
    EXPECT_NEAR(s.in_level[2], 2.0, 1e-6);
    EXPECT_NEAR(s.in_level[3], 4.0, 1e-6);
    EXPECT_EQ(s.alarms, 2);
    ASSERT_TRUE(s.flaps);
    EXPECT_NEAR(s.cruise_time, 130.0 - 0.2, 1e-6);
    EXPECT_NEAR(s.advice_followed, (130.0 - 0.2 - 10.0 - 3.0) / (130.0 - 0.2), 1e-6);
    ASSERT_EQ(s.late.size(), 1u);
    EXPECT_NEAR(s.late[0].advised_at, 110.0, 1e-6);
    EXPECT_EQ(s.late[0].position, 3);
    EXPECT_NEAR(s.late[0].late, 10.0, 1e-6);
    ASSERT_EQ(s.thermals.size(), 1u);
    EXPECT_NEAR(s.thermal_climb, 2.0, 1e-6);
    EXPECT_NEAR(s.air_distance,
                60 * 30 + 50 * 25 + 10 * 40 + 30 * 45 + 4 * 73 + 2 * 74.5 + 4 * 76 + 10 * 30 +
                    3 * 73 + 7 * 30 - 0.2 * 30,
                1e-6);
    EXPECT_NEAR(s.glide_netto, (60 * 0.5 - 40 * 1.0) / (130.0 - 0.2), 1e-6);
}

TEST(Page, StandsAloneInThePilotsLanguageAndUnits) {
    const ChartLibrary lib{"var uPlot = function(){}; /* </script> */", ".u-legend{}", ""};
    KeptFlight f = fly({{30, 50, -1, 2, 2, false, -1.0, 0.5}, {5, 74, 1, 2, 2, false, -1, 0}});
    f.header.polar_mode = true;
    f.events.push_back({10.0, EventKind::polar_point, 0, 25.0, -0.8, {}});
    f.events.push_back({31.0, EventKind::key, -1, 0, 0, "volume up: volume 0.55"});
    f.events.push_back({31.1, EventKind::feedback, 2, 0, 0, "volume up"});
    for (const auto& [lang, unit, words] : std::vector<std::tuple<std::string, int, std::string>>{
             {"EN", 0,
              "Highest true airspeed</th><td id=\"top-tas\" data-value=\"266.4\">266.4 km/h"},
             {"FR", 1,
              "Vitesse vraie maximale</th><td id=\"top-tas\" data-value=\"143.8\">143,8 kt"},
             {"DE", 2,
              "Höchste wahre Fahrt</th><td id=\"top-tas\" data-value=\"165.5\">165,5 mph"}}) {
        f.header.language = lang;
        f.header.speed_unit = unit;
        const std::string page = flight_page(f, lib);
        EXPECT_NE(page.find(words), std::string::npos) << lang;
        // Nothing fetched: no outside script, style, picture or address.
        for (const char* outside : {" src=", " href=", "http:", "https:", "@import", "url("})
            EXPECT_EQ(page.find(outside), std::string::npos) << outside;
        // Names and library texts cannot end the page's elements early.
        EXPECT_EQ(page.find("Ventus</script>"), std::string::npos);
        EXPECT_EQ(page.find("/* </script> */"), std::string::npos);
        EXPECT_NE(page.find("var uPlot = function(){};"), std::string::npos);
        EXPECT_NE(page.find("id=\"polar-chart\""), std::string::npos);
        // The volume key's sound is the key's, not a second alarm.
        EXPECT_NE(page.find("id=\"alarms\" data-value=\"1\""), std::string::npos);
    }
    f.header.language = "EN";
    EXPECT_NE(flight_page(f, lib).find("<li>0:00:31 a key's own sound, not an alarm: the sound of "
                                       "alarm level 2, volume up</li>"),
              std::string::npos);
}

TEST(PolarFit, FindsTheParabolaThroughPointsOnIt) {
    std::vector<std::pair<double, double>> points;
    for (double v = 20; v <= 50; v += 3)
        points.emplace_back(v, -0.002 * (v - 25) * (v - 25) - 0.6);
    const auto curve = fitted_polar(points);
    ASSERT_EQ(curve.size(), 25u);
    for (const auto& [v, s] : curve)
        EXPECT_NEAR(s, -0.002 * (v - 25) * (v - 25) - 0.6, 1e-9);
    EXPECT_TRUE(fitted_polar({{20, -1}, {20, -1.1}, {20, -0.9}}).empty());
}

} // namespace
} // namespace kalveo::debrief
