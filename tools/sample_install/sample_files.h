// sample_install/sample_files: the texts of the simulator's own files in a
// sample installation, as the simulator writes them (CR LF line ends where
// the simulator uses them, a Wine registry file with LF).
#pragma once

#include <string>
#include <vector>

namespace kalveo {

/// One turnpoint of a sample task (positions in m, as the simulator keeps them).
struct SampleTurnpoint {
    std::string name;
    double x = 0, y = 0, z = 0;
    bool airport = false;
};

/// The weather of one zone.
struct SampleWeatherZone {
    std::string name = "Base";
    double wind_dir = 270;   ///< degrees
    double wind_speed = 4;   ///< m/s
    double temperature = 24; ///< thermal temperature, °C
    int bugs = 1;            ///< ThermalsBugs
};

/// What a sample flight plan holds.
struct SampleFlightPlan {
    int version = 3; ///< 2 or 3
    std::string landscape = "AA3";
    std::vector<SampleTurnpoint> turnpoints;
    std::vector<SampleWeatherZone> zones;
    double pressure_hpa = 1013.25; ///< written by version 2 plans only
    std::string glider = "LS8neo";
    std::string glider_class = "Standard";
    double water = 100;    ///< kg
    double fixed_mass = 0; ///< kg
    bool bugwipers = true;
    bool allow_bugwipers = true;
};

/// A task of four turnpoints and two weather zones over the sample landscape.
[[nodiscard]] SampleFlightPlan default_flight_plan(int version);

[[nodiscard]] std::string flight_plan_text(const SampleFlightPlan& plan);

/// State of the simulator that its log file records.
enum class SampleLogState {
    started,   ///< started, never in a flight
    in_flight, ///< entered a simulation
    left,      ///< entered and left a simulation
    shut_down, ///< flew, left and shut down
};

/// The simulator's Logs\Logfile.txt; the version number as the log gives it
/// (for example 3013 for version 3).
[[nodiscard]] std::string log_file_text(int version_number, SampleLogState state);

/// Settings\UDP.ini of the installation.
struct SampleUdp {
    bool enabled = true;
    bool extended = true;
    int port = 55278;
    int send_interval_ms = 100;
    std::string host = "127.0.0.1";
};
[[nodiscard]] std::string udp_ini_text(const SampleUdp& udp);

/// Key numbers the sample controls.ini assigns on the keyboard.
struct SampleKeys {
    int chat = 20;         ///< T
    int gmeter_reset = 34; ///< G
    int bug_wipe = 48;     ///< B
    int next_tp = 201;
    int prev_tp = 209;
    int advance_tp = 199;
};
/// The pilot's controls.ini for version 2 or 3: mouse, keyboard and joystick
/// sections; the joystick section reuses action numbers on purpose.
[[nodiscard]] std::string controls_ini_text(int version, const SampleKeys& keys);

/// The pilot's Setup.ini: units (0 metric, 1 and 2 imperial), altimeter setting
/// (1 QFE) and averager time constant among the simulator's other options.
[[nodiscard]] std::string setup_ini_text(int units, int altimeter_setting, int averager);

/// The Wine prefix's user.reg with the simulator's keys.
struct SampleRegistry {
    std::string install_dir3; ///< empty: no Condor 3 key
    std::string install_dir2; ///< empty: no Condor 2 key
    std::string last_player3;
    std::string last_player2;
    std::string personal = "%USERPROFILE%\\Documents"; ///< empty: no value
};
[[nodiscard]] std::string user_reg_text(const SampleRegistry& reg);

} // namespace kalveo
