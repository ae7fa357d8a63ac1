// sim/records: the simulator's installations and the flight plan of the flight.
#pragma once

#include "glider/records.h"

#include <array>
#include <string>

namespace kalveo {

// Paths are kept as the simulator and its registry give them ("C:\Condor3"),
// trimmed; they are mapped to host paths only when a file is opened.

/// Installations of the simulator's versions and the active one, as discovery finds them.
struct Installation {
    /// Pilot folder of the active version; also known as pilot_path().
    std::string cndrpilpath;
    /// Condor 1 installation folder (blank at start-up).
    std::string instpath1;
    /// Condor 2 installation folder, from the registry.
    std::string instpath2;
    /// Condor 3 installation folder, from the registry.
    std::string instpath3;
    /// Condor 2 user-files folder (Documents\Condor).
    std::string rootpath2;
    /// Condor 3 user-files folder (Documents\Condor3).
    std::string rootpath3;
    /// Condor 2 current pilot's folder.
    std::string pilpath2;
    /// Condor 3 current pilot's folder.
    std::string pilpath3;
    /// Installation folder of the active version.
    std::string cndrinstpath;
    /// User-files folder of the active version.
    std::string cndrrootpath;
    /// Active major version: 2 or 3; 1 when Condor 1 is configured. Also known as cndrvers().
    int condor_version = 0;
    /// Version 1 present.
    bool qc1 = false;
    /// Version 2 present.
    bool qc2 = false;
    /// Version 3 present.
    bool qc3 = false;

    /// The same storage as cndrpilpath.
    std::string& pilot_path() { return cndrpilpath; }
    [[nodiscard]] const std::string& pilot_path() const { return cndrpilpath; }
    /// The same storage as condor_version.
    int& cndrvers() { return condor_version; }
    [[nodiscard]] int cndrvers() const { return condor_version; }
};

/// Turnpoints a flight plan may hold (numbered 0..30).
inline constexpr int kMaxTurnpoints = 31;
/// Weather zones of a flight plan (numbered 0..16; zone 0 is "[Weather]").
inline constexpr int kWeatherZones = 17;

// The parts of a flight plan the program uses; the reader returns them at each
// flight start and nothing else changes them.

/// Flight-plan version and task size.
struct RdFpl0Record {
    /// Simulator version of the flight plan (2 or 3).
    int fpl_vers = 0;
    /// Number of turnpoints, at most 31.
    int nb_wp = 0;
};

/// Turnpoint positions.
struct RdFpl1Record {
    /// Altitude of each turnpoint 0..30 (m).
    std::array<double, kMaxTurnpoints> tpz{};
};

/// Scenery.
struct RdFpl2Record {
    /// Landscape name (at most 64 characters).
    std::string landscape;
};

/// Weather at sea level.
struct RdFpl4Record {
    /// Sea-level pressure (Pa).
    double pressure = 0.0;
};

/// Task options.
struct RdFpl6Record {
    /// The task allows bug wipers.
    bool allowbugwipers = false;
    /// Set true at start-up; the program does not use it otherwise.
    bool qpda = true;
};

/// Wind and temperature per weather zone 0..16.
struct RdFplWz1Record {
    /// Wind direction (degrees).
    std::array<double, kWeatherZones> winddir{};
    /// Wind speed (m/s).
    std::array<double, kWeatherZones> windspeed{};
    /// Thermal temperature (K).
    std::array<double, kWeatherZones> thermalstemp{};
};

/// Bugs per weather zone 0..16 and the zone count.
struct RdFplWz2Record {
    /// Bug amount.
    std::array<int, kWeatherZones> thermalsbugs{};
    /// Number of weather zones.
    int wzcount = 0;
};

/// Altitudes of the first and the last turnpoint of a flight plan (m).
struct TaskAltitudes {
    double start = 0.0;
    double finish = 0.0;
};

/// What the program uses of a flight plan.
struct FlightPlan {
    RdFpl0Record task;           ///< version and turnpoint count
    RdFpl1Record turnpoints;     ///< turnpoint altitudes
    RdFpl2Record scenery;        ///< landscape
    RdFpl4Record weather;        ///< sea-level pressure
    RdFpl6Record options;        ///< task options
    RdFplWz1Record zones;        ///< wind and temperature per weather zone
    RdFplWz2Record zone_bugs;    ///< bugs per weather zone and the zone count
    Ggg001Record glider;         ///< glider name, class and skin
    Ggg002Record glider_options; ///< centre of gravity, seat, bug wipers
    double water = 0.0;          ///< water ballast (kg)
    double fixed_mass = 0.0;     ///< fixed ballast (kg)
    TaskAltitudes altitudes;     ///< of the first and the last turnpoint
};

/// The simulator's key assignments, learned from its controls file (key numbers as the
/// simulator gives them; a scan code for the scn fields).
struct SimulatorKeys {
    /// Chat close (scan code of Enter).
    int scnchatc = 28;
    /// Chat open as the simulator's key number.
    int scnchato = 0;
    /// G-meter reset.
    int scngrst = 0;
    /// Previous turn point.
    int scnprtp = 0;
    /// Next turn point.
    int scnnxtp = 0;
    /// Advance turn point.
    int scnadvtp = 0;
    /// Wipe bugs.
    int scnbugw = 0;
};

} // namespace kalveo
