// flight/polar_mode: measuring the flown polar: result files, point recording, speed trace.
#pragma once

#include "flight/outputs.h"
#include "glider/records.h"
#include "sim/records.h"

#include <array>
#include <fstream>
#include <string>

namespace kalveo {

/// Steadiness a point needs before it is recorded: |filtered dv/dt| / IAS (1/s).
inline constexpr double kSteadySpeed = 0.0002;

/// What polar mode keeps for the run.
struct PolarState {
    std::array<double, kTraceLength> vsve{}; ///< last indicated airspeeds, newest at 0 (m/s)
    SpeedTrace vval{};          ///< speed trace for the display, relative to the present speed
    PolarTable vvpol{};         ///< recorded points from 1, the reference polar from 101
    int nbpol = 0;              ///< number of recorded points
    int nbfpl = 0;              ///< index of the last reference point; 0 without one
    bool qgotpol = false;       ///< a reference polar was found for the glider
    PlanePolar reference;       ///< the glider's polar from the simulator's plane files
    double dvdt_moy = 0.0;      ///< filtered |dv/dt| of the true airspeed (m/s2)
    std::string polfile;        ///< table of the recorded points (backslash name)
    std::string csvfile;        ///< comma-separated file of the recorded points
    std::ofstream table;        ///< open result table
    std::ofstream csv;          ///< open comma-separated result file
    bool write_failed = false;  ///< a point of this flight could not be written (logged)
    bool decimal_comma = false; ///< the comma-separated file takes decimal commas (French)
};

/// At the first packet of a flight: new numbered result files with their headers,
/// and the reference polar of the glider when the active installation has one (the
/// glider then takes the reference mass of its plane file). `french` numbers take a
/// decimal comma in the comma-separated file.
void prepare_polar_flight(PolarState& st, const Installation& installation, Glider& glider,
                          bool french);

/// One packet's values for a polar point.
struct PolarSample {
    double tcalc = 0.0;       ///< simulator time (hours)
    double z = 0.0;           ///< altitude (m)
    double tas = 0.0;         ///< true airspeed (m/s)
    double ias = 0.0;         ///< indicated airspeed (m/s)
    double dvdt = 0.0;        ///< change of true airspeed (m/s2)
    double vz_comp = 0.0;     ///< energy-compensated vario (m/s)
    double vz_comp_m = 0.0;   ///< the same at sea-level density (m/s)
    double z_m1 = 0.0;        ///< previous packet's altitude (m)
    double tas_m1 = 0.0;      ///< previous packet's true airspeed (m/s)
    double v_m1 = 0.0;        ///< previous packet's indicated airspeed (m/s)
    double vz_comp_c = 0.0;   ///< centred energy-compensated vario (m/s)
    double vz_comp_c_m = 0.0; ///< the same at sea-level density (m/s)
};

/// While a point is asked for (the flight's my_tas_0.qwrpol): waits for a steady speed, then
/// writes the point to both files, beeps and adds it to the table (at most kRecordedPolarMax
/// points go to the table; the files take every point).
void record_polar_point(const PolarSample& s, PolarState& st, const FlightOutputs& out,
                        FlightRecords& f);

/// Adds the present indicated airspeed (m/s) to the trace and scales the trace.
void follow_speed_trace(double ias, PolarState& st);

/// The polar-mode part of the reading: recording flag, electronic vario `ev1` (vario units),
/// centred speed change `dvdt_c` and, with the glider's polar, its speed of least sink.
void fill_polar_display(InstrumentReading& reading, const PolarState& st, double ev1, double dvdt_c,
                        const FlightRecords& f);

} // namespace kalveo
