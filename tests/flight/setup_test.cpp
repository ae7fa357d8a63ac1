// The per-flight set-up: on the sample simulator installation through the first
// datagram, and the thresholds and display values it derives.
#include "config/records.h"
#include "flight/cycle.h"
#include "flight/flight_setup.h"
#include "flight/records.h"
#include "flight_test_support.h"
#include "sample_install/sample_install.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

using testing::Datagram;
using testing::FlightTest;
using testing::Recorder;
using testing::ScopedEnv;

constexpr double kKts = 1.9438444;

// A sample installation of the simulator's version 3 with the program folder as the
// working folder (holding the shipped glider data) and scripted dialogs.
class SimulatorFlight : public FlightTest {
  protected:
    SimulatorFlight()
        : prefix_env_("WINEPREFIX", (dir_.path() / "prefix").string()),
          dialogs_env_("KALVEO_DIALOGS", "script:" + (dir_.path() / "answers.txt").string()) {
        testing::write_file(dir_.path() / "answers.txt", "");
        std::filesystem::create_directories(dir_.path() / "Settings");
        std::filesystem::copy_file(testing::env_folder("KALVEO_DATA_DIR") / "Settings" /
                                       "Kalveo_data.txt",
                                   dir_.path() / "Settings" / "Kalveo_data.txt");
    }

    void install(const SampleInstallOptions& options = {}, const std::string& glider = "") {
        sample_ = build_sample_installation(dir_.path() / "prefix", options);
        ASSERT_TRUE(sample_.ok) << sample_.error;
        if (!glider.empty()) {
            SampleFlightPlan plan = default_flight_plan(3);
            plan.glider = glider;
            testing::write_file(sample_.condor3.pilot / "Flightplan.fpl", flight_plan_text(plan));
        }
    }

    // The first datagram of the flight, through the real set-up.
    int first_datagram() {
        return cycle_.my_tas(Datagram().set("airspeed", 30.0).set("altitude", 0.0).text());
    }

    [[nodiscard]] const FlightFacts& flight() const { return cycle_.facts(); }

    // A flight of the sample's version 3 pilot.
    [[nodiscard]] FlightFacts pilot_flight() const {
        FlightFacts flight;
        flight.installation.cndrpilpath = sample_.condor3.pilot_dir;
        flight.installation.condor_version = 3;
        return flight;
    }

    SampleInstall sample_;
    Recorder rec_;
    FlightCycle cycle_{rec_.outputs};
    FlightRecords& f_ = cycle_.records();

  private:
    ScopedEnv prefix_env_;
    ScopedEnv dialogs_env_;
};

TEST_F(SimulatorFlight, FirstDatagramFindsTheGlidersVneInTheShippedData) {
    install({}, "Diana2");
    EXPECT_EQ(first_datagram(), 108);
    EXPECT_EQ(flight().installation.condor_version, 3);
    EXPECT_EQ(flight().glider.names.glnam, "Diana2");
    EXPECT_NEAR(f_.my_tas_0.vne, 270.0 / 3.6, 1e-9);
    EXPECT_NEAR(f_.my_tas_0.va1, (270.0 - 10.0) / 3.6, 1e-9);
    EXPECT_DOUBLE_EQ(flight().plan.weather.pressure, 101325.0)
        << "version 3 plans fly the standard pressure";
    EXPECT_DOUBLE_EQ(flight().glider.masses.rmass, 350.0) << "the glider data's reference mass";
    EXPECT_EQ(f_.flaps_0.nflap, 7);
    EXPECT_EQ(f_.flaps_0.nfl_act, 3) << "half the positions until the lever is reported";
    ASSERT_EQ(rec_.layouts.size(), 1u);
    const Recorder::Layout& layout = rec_.layouts[0];
    EXPECT_EQ(layout.values.vne, 270);
    EXPECT_EQ(layout.values.dv1, 10);
    EXPECT_EQ(layout.values.dv2, 20);
    EXPECT_EQ(layout.values.flap_mode, DisplaySettings{}.show_flaps);
    EXPECT_EQ(layout.values.wind_direction, 90) << "the plan's 270 degree wind, turned";
    EXPECT_EQ(layout.values.water, 100) << "the plan's water";
    EXPECT_EQ(layout.values.chat_open_scan, 20) << "the simulator's chat key";
    EXPECT_EQ(layout.values.bug_wipe_scan, -48) << "the bug-wipe key as a scan code";
    EXPECT_EQ(layout.values.simulator_version, 3);
    EXPECT_EQ(layout.unit, "kmh");
    EXPECT_EQ(layout.flap, f_.flaps_c.cflap[f_.flaps_0.nflmax]);
    EXPECT_TRUE(f_.my_tas_0.qatmo_isa);
}

TEST_F(SimulatorFlight, GliderMissingFromTheDataTakesTheVneThePilotTypes) {
    install(); // the sample plan's LS8neo is not in the shipped data
    // The boxes: version 2 not installed, glider not listed, then the prompt.
    testing::write_file(dir_.path() / "answers.txt", "ok\nok\n200\n");
    f_.my_tas_0.nunit = 1;
    first_datagram();
    EXPECT_NEAR(f_.my_tas_0.vne, 200.0 / 3.6, 1e-9) << "typed in km/h";
    EXPECT_EQ(flight().glider.names.glnam, "200") << "the glider goes by the pilot's answer";
    EXPECT_NEAR(f_.my_tas_0.dv1, 5.0 / kKts, 1e-9);
    EXPECT_NEAR(f_.my_tas_0.dv2, 10.0 / kKts, 1e-9);
    EXPECT_EQ(rec_.layouts.at(0).values.vne, 108) << "200 km/h in knots";
    EXPECT_EQ(rec_.layouts.at(0).values.flap_mode, 0) << "no flaps";
    EXPECT_EQ(rec_.layouts.at(0).flap, "");
    EXPECT_EQ(rec_.layouts.at(0).unit, "kts");
}

TEST_F(SimulatorFlight, ImperialSimulatorWithTheAutoUnitShowsKnotsAndReadsFeet) {
    install({.units = 1});
    f_.my_tas_0.nunit = -1;
    f_.texts.cunit = "";
    first_datagram();
    EXPECT_EQ(f_.my_tas_0.nunit, 1);
    EXPECT_DOUBLE_EQ(f_.my_tas_0.fconv, kKts);
    EXPECT_DOUBLE_EQ(f_.my_tas_0.fconv_vz, kKts);
    EXPECT_DOUBLE_EQ(f_.my_tas_0.fconv_alt, 0.3048);
    EXPECT_EQ(rec_.layouts.at(0).unit, "kts");
}

TEST_F(SimulatorFlight, MetricSimulatorWithTheAutoUnitShowsKmh) {
    install({.units = 0});
    f_.my_tas_0.nunit = -1;
    first_datagram();
    EXPECT_EQ(f_.my_tas_0.nunit, 0);
    EXPECT_DOUBLE_EQ(f_.my_tas_0.fconv, 3.6);
    EXPECT_DOUBLE_EQ(f_.my_tas_0.fconv_vz, 1.0);
    EXPECT_DOUBLE_EQ(f_.my_tas_0.fconv_alt, 1.0);
}

TEST_F(SimulatorFlight, AChosenUnitStaysWhateverTheSimulatorUses) {
    install({.units = 2});
    f_.my_tas_0.nunit = 2;
    first_datagram();
    EXPECT_EQ(f_.my_tas_0.nunit, 2);
    EXPECT_DOUBLE_EQ(f_.my_tas_0.fconv, kSpeedUnitFactors[2]);
    EXPECT_DOUBLE_EQ(f_.my_tas_0.fconv_vz, kKts) << "varios follow the simulator";
    EXPECT_EQ(rec_.layouts.at(0).unit, "mph");
}

TEST_F(SimulatorFlight, QfeKeepsTheAltitudeOfTheFirstTurnpoint) {
    install({.altimeter_setting = 1});
    first_datagram();
    EXPECT_TRUE(f_.my_tas_0.qfe);
    EXPECT_DOUBLE_EQ(f_.my_tas_0.z_0, 400.0);
}

TEST_F(SimulatorFlight, QnhDropsTheAltitudeOffset) {
    install({.altimeter_setting = 0});
    first_datagram();
    EXPECT_FALSE(f_.my_tas_0.qfe);
    EXPECT_DOUBLE_EQ(f_.my_tas_0.z_0, 0.0);
}

TEST_F(SimulatorFlight, TheSettingsVneYieldsToTheGliderData) {
    install({}, "Diana2");
    f_.my_tas_0.vne = 200.0; // settings value, km/h
    first_datagram();
    EXPECT_NEAR(f_.my_tas_0.vne, 270.0 / 3.6, 1e-9);
}

TEST_F(SimulatorFlight, MissingControlsFileStopsTheProgram) {
    install();
    std::filesystem::remove(sample_.condor3.pilot / "controls.ini");
    FlightFacts flight = pilot_flight();
    EXPECT_EXIT(init_settings_0(flight, f_, 0), ::testing::ExitedWithCode(1), "");
}

TEST_F(SimulatorFlight, MissingPilotOptionsStopTheProgram) {
    install();
    std::filesystem::remove(sample_.condor3.pilot / "Setup.ini");
    FlightFacts flight = pilot_flight();
    EXPECT_EXIT(init_settings_0(flight, f_, 0), ::testing::ExitedWithCode(1), "");
}

// The set-up's steps on a flight's records of their own.
class Thresholds : public FlightTest {
  protected:
    FlightRecords f_;
};

TEST_F(Thresholds, DefaultsByUnit) {
    struct Case {
        int nunit;
        double fconv;
        double dv1, dv2, vne; // m/s
    };
    const double kmh = 3.6;
    const Case cases[] = {
        {0, kmh, 10 / kmh, 20 / kmh, 270 / kmh},
        {1, kKts, 5 / kKts, 10 / kKts, 145 / kKts},
        {2, 2.2369363, 5 / 2.2369363, 10 / 2.2369363, 160 / 2.2369363},
        {3, 6.0132294, 10 / kmh, 20 / kmh, 450 / 6.0132294},
        {4, 2.0, 10 / kmh, 20 / kmh, 270 / kmh},
    };
    for (const Case& c : cases) {
        f_ = FlightRecords{};
        f_.my_tas_0.nunit = c.nunit;
        f_.my_tas_0.fconv = c.fconv;
        FlightFacts flight;
        init_settings_2({}, {}, flight, f_);
        EXPECT_NEAR(f_.my_tas_0.dv1, c.dv1, 1e-9) << "unit " << c.nunit;
        EXPECT_NEAR(f_.my_tas_0.dv2, c.dv2, 1e-9) << "unit " << c.nunit;
        EXPECT_NEAR(f_.my_tas_0.vne, c.vne, 1e-9) << "unit " << c.nunit;
        EXPECT_NEAR(f_.my_tas_0.va1, c.vne - c.dv1, 1e-9);
        EXPECT_NEAR(f_.my_tas_0.va2, c.vne - c.dv1 + c.dv2, 1e-9);
    }
}

TEST_F(Thresholds, SettingsMarginsAreInDisplayUnits) {
    f_.my_tas_0.nunit = 1;
    f_.my_tas_0.fconv = kKts;
    f_.my_tas_0.dv1 = 8.0;
    f_.my_tas_0.dv2 = 12.0;
    f_.my_tas_0.vne = 70.0; // m/s, from the glider data
    FlightFacts flight;
    init_settings_2({}, {}, flight, f_);
    EXPECT_NEAR(f_.my_tas_0.dv1, 8.0 / kKts, 1e-12);
    EXPECT_NEAR(f_.my_tas_0.dv2, 12.0 / kKts, 1e-12);
    EXPECT_DOUBLE_EQ(f_.my_tas_0.vne, 70.0);
}

TEST_F(Thresholds, LayoutForTheDisplay) {
    Recorder rec;
    f_.my_tas_0.vne = 250.0 / 3.6;
    FlightFacts flight;
    flight.glider.masses.balmax = 149.6;
    flight.glider.masses.wmass = 80.4;
    flight.plan.zones.winddir[0] = 200.0;
    flight.plan.zones.windspeed[0] = 6.7;
    flight.glider.options.qbugwipers = true;
    flight.keys.scngrst = 34;
    Settings settings;
    DisplaySettings& display = settings.display;
    display.bug_wipe_turns = 3;
    display.show_flaps = 2;
    f_.flaps_0.nflap = 3;
    f_.flaps_0.nflmax = 2;
    f_.flaps_c.cflap = {"", "L", "+10", "0"};
    settings.keys.simulator_chat_open = 84;
    EXPECT_EQ(init_settings_2(rec.outputs, settings, flight, f_), 1) << "what the display answers";
    const FlightLayout& layout = rec.layouts.at(0).values;
    EXPECT_EQ(layout.vne, 250);
    EXPECT_EQ(layout.flap_mode, 2);
    EXPECT_EQ(layout.max_water, 150);
    EXPECT_EQ(layout.wind_direction, 20);
    EXPECT_EQ(layout.wind_speed, 6);
    EXPECT_EQ(layout.water, 80);
    EXPECT_EQ(layout.chat_open_key, 84);
    EXPECT_EQ(layout.g_meter_reset_scan, -34);
    EXPECT_TRUE(layout.bug_wipers);
    EXPECT_EQ(layout.min_thermal_turns, 3);
    EXPECT_EQ(rec.layouts.at(0).flap, "+10");
    display.bug_wipe_turns = 0;
    init_settings_2(rec.outputs, settings, flight, f_);
    EXPECT_FALSE(rec.layouts.at(1).values.bug_wipers) << "no reminder without a turn count";
}

TEST_F(Thresholds, TheGliderLookupLandsInTheFlightsRecords) {
    GliderValues found;
    found.vne = 75.0;
    found.balmax = 180;
    found.rmass = 325;
    found.mmass = 370;
    found.nflap = 2;
    found.vflap100[1] = 40.0;
    found.vflap100[2] = 30.0;
    found.cflap[1] = "-2";
    found.cflap[2] = "L";
    found.nflmax = 1;
    found.lflmax = 2;
    found.glnam = "LS8-18";
    f_.flaps_0.vflap[2] = 99.0; // from an earlier glider
    Glider glider;
    store_glider_values(found, glider, f_);
    EXPECT_EQ(f_.my_tas_0.vne, 75.0);
    EXPECT_EQ(glider.masses.balmax, 180);
    EXPECT_EQ(glider.masses.rmass, 325);
    EXPECT_EQ(glider.masses.mmass, 370);
    EXPECT_EQ(f_.flaps_0.nflap, 2);
    EXPECT_EQ(f_.flaps_0.vflap100[2], 30.0);
    EXPECT_EQ(f_.flaps_0.vflap[2], 30.0) << "the data file's table, kept beside the advice's";
    EXPECT_EQ(f_.flaps_c.cflap[1], "-2");
    EXPECT_EQ(f_.flaps_0.nflmax, 1);
    EXPECT_EQ(f_.flaps_0.lflmax, 2);
    EXPECT_EQ(glider.names.glnam, "LS8-18");
    // The next lookup starts from what is in force.
    const GliderValues now = current_glider_values(glider, f_);
    EXPECT_EQ(now.vne, 75.0);
    EXPECT_EQ(now.mmass, 370);
    EXPECT_EQ(now.vflap100, found.vflap100);
    EXPECT_EQ(now.cflap, found.cflap);
    EXPECT_EQ(now.nflap, 2);
    EXPECT_EQ(now.glnam, "LS8-18");
}

TEST_F(Thresholds, SettleVneKeepsTheGliderDataOverTheSetting) {
    f_.my_tas_0.fconv = kKts;
    f_.my_tas_0.vne = 75.0;
    settle_vne(f_, 150.0);
    EXPECT_DOUBLE_EQ(f_.my_tas_0.vne, 75.0);
    f_.my_tas_0.vne = -10000.0;
    settle_vne(f_, 150.0);
    EXPECT_NEAR(f_.my_tas_0.vne, 150.0 / kKts, 1e-12);
    f_.my_tas_0.vne = -10000.0;
    settle_vne(f_, -10000.0);
    EXPECT_DOUBLE_EQ(f_.my_tas_0.vne, -10000.0) << "left for the unit's default";
}

TEST_F(Thresholds, AltimeterReference) {
    f_.my_tas_0.z_0 = 412.0;
    Rdstng00Record options;
    options.altsttng = 1;
    init_settings_1(options, f_);
    EXPECT_TRUE(f_.my_tas_0.qfe);
    EXPECT_DOUBLE_EQ(f_.my_tas_0.z_0, 412.0);
    options.altsttng = 2;
    init_settings_1(options, f_);
    EXPECT_FALSE(f_.my_tas_0.qfe);
    EXPECT_DOUBLE_EQ(f_.my_tas_0.z_0, 0.0);
}

} // namespace
} // namespace kalveo
