// Test helpers of the flight processing: fresh records, recorders for the cycle's
// outputs with a fake clock, full telemetry datagrams and a stand-in flight set-up.
#pragma once

#include "flight/cycle.h"
#include "flight/outputs.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kalveo::testing {

/// Length (s) of every sound of a Recorder's outputs unless a test changes it.
inline constexpr double kTestSoundLength = 0.3;

/// Everything the cycle sent out, stamped with the fake clock.
class Recorder {
  public:
    struct Sound {
        int level;                    ///< alarm level; -1 for a flap call
        std::optional<FlapCall> call; ///< the flap call, if it was one
        double vol;
        double at; ///< fake clock (s)
    };
    struct Flap {
        std::string name;
        int mflap;
    };
    struct Layout {
        FlightLayout values;
        std::string flap;
        std::string unit;
    };
    struct Angles {
        std::string tim, tsktim, clk;
        InstrumentReading reading;
        int nbpol = 0;
        int nbfpl = 0;
    };

    Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    FlightOutputs outputs;
    double now = 1000.0; ///< the fake counter (s)
    std::vector<Sound> sounds;
    std::vector<Flap> flaps;
    std::vector<Layout> layouts;
    std::vector<std::pair<int, int>> beeps;
    Angles last;
    int angle_calls = 0;
};

/// A datagram as the simulator sends it: the 35 keys of the sample datagram in
/// their order, each value replaceable.
class Datagram {
  public:
    Datagram(); ///< the sample datagram of a glider at rest
    Datagram& set(const std::string& key, double value);
    Datagram& set_text(const std::string& key, const std::string& value);
    Datagram& remove(const std::string& key);
    [[nodiscard]] std::string text(const std::string& eol = "\r\n") const;

  private:
    std::vector<std::pair<std::string, std::string>> items_;
};

/// Glider the stand-in set-up gives the flight.
struct TestGlider {
    std::string name = "TestGlider";
    double vne = 250.0 / 3.6;                          ///< m/s; below -1000: none found
    std::vector<std::pair<double, std::string>> flaps; ///< speed (m/s) and name, rising
    double rmass = 350.0;                              ///< kg
    double mmass = 350.0;                              ///< kg
    double balmax = 150.0;                             ///< kg
};

/// A set-up that takes the glider and the flight plan as given, without the simulator's files.
FlightCycle::FlightSetUp set_up_with(const TestGlider& glider, const FlightPlan& plan = {});

/// A cycle with recorders and a flight clock: each packet moves the simulator's
/// time and the wall clock on together.
class TestFlight {
  public:
    explicit TestFlight(const TestGlider& glider = {}, const FlightPlan& plan = {});

    /// Sends the datagram after `dt` seconds of simulator and wall-clock time.
    int send(Datagram d, double dt = 0.04);
    /// Sends the datagram as it is, time= included, moving only the wall clock.
    int send_raw(const std::string& text, double dt = 0.04);

    /// The flight's records in the cycle.
    FlightRecords& records() { return cycle.records(); }

    /// Changes the flight's settings, as start-up hands them over on a new pass.
    template <class Change> void change_settings(Change change) {
        change(settings);
        cycle.take_settings(settings);
    }

    Recorder rec;
    FlightCycle cycle;
    Settings settings;
    double hours = 12.0; ///< simulator time of day of the next packet
};

/// Each test in a scratch working folder (the log and result files land there)
/// with fresh records.
class FlightTest : public ::testing::Test {
  protected:
    FlightTest() : cwd_(dir_.path()) {}

    TempDir dir_;

  private:
    ScopedCwd cwd_;
};

} // namespace kalveo::testing
