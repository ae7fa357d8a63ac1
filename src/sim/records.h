// sim/records: the simulator's installations and the flight plan of the flight.
#pragma once

#include <array>
#include <string>

namespace kalveo {

// Paths are kept as the simulator and its registry give them ("C:\Condor3"),
// trimmed; they are mapped to host paths only when a file is opened.

/// Installations of the simulator's versions and the active one.
struct Inst00Record {
    /// Condor 1 folder, from the settings file (at most 80 of 256 characters).
    std::string condor_1_path;
    /// Wine prefix the simulator lives in, from the settings file; empty: looked for.
    std::string wine_prefix;
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
    /// Set to 2 at start-up.
    int icndr = 2;
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

// The flight-plan records hold what the program uses of the flight plan;
// the reader fills them at each flight start and nothing else changes them.

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

/// Task and penalty details; nothing in the program reads them.
struct RdFpl5Record {};

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

/// The simulator's key assignments, learned from its controls file (key numbers as the
/// simulator gives them; a scan code for the scn fields).
struct KeydefCndrRecord {
    /// Chat close (scan code of Enter).
    int scnchatc = 28;
    /// Chat open as a key code (setting "Key Chat Open"); 0 when unset.
    int keychato = 0;
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

extern KeydefCndrRecord keydef_cndr;
extern Inst00Record inst00;
extern RdFpl0Record rd_fpl_0;
extern RdFpl1Record rd_fpl_1;
extern RdFpl2Record rd_fpl_2;
extern RdFpl4Record rd_fpl_4;
extern RdFpl5Record rd_fpl_5;
extern RdFpl6Record rd_fpl_6;
extern RdFplWz1Record rd_fpl_wz1;
extern RdFplWz2Record rd_fpl_wz2;

} // namespace kalveo
