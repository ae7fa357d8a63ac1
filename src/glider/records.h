// glider/records: masses, glider names, polar figures, unit factors and the Bezier polar.
#pragma once

#include <array>
#include <string>

namespace kalveo {

// Arrays that the program numbers from 1 have one slot more than their
// count; slot 0 is unused so that numbers in logs and files match.

/// Number of flap positions a glider can have.
inline constexpr int kMaxFlaps = 20;

/// Nodes a polar-node file may hold; segments are one fewer.
inline constexpr int kMaxPolarNodes = 12;

/// Masses of the glider (kg).
struct GggmasRecord {
    /// Reference flying mass, the base of the total mass.
    double rmass = 0.0;
    /// Mass at which the flap speeds of the glider data hold.
    double mmass = 0.0;
    /// Current total mass, rmass + fmass + wmass.
    double cmass = 0.0;
    /// Water ballast.
    double wmass = 0.0;
    /// Fixed ballast.
    double fmass = 0.0;
    /// Largest water ballast.
    double balmax = 0.0;
};

/// Names of the glider from the flight plan and the glider data.
struct Ggg001Record {
    /// Glider name; after the lookup, the name of the matching glider data entry (at most 32
    /// characters).
    std::string glnam;
    /// Glider class from the flight plan (at most 32 characters).
    std::string glclass;
    /// Skin name from the flight plan (at most 32 characters).
    std::string glskin;
};

/// Glider options from the flight plan.
struct Ggg002Record {
    /// Centre-of-gravity bias.
    double cgbias = 0.0;
    /// Seat.
    int glseat = 1;
    /// Bug wipers fitted (and usable in this task).
    bool qbugwipers = false;
};

/// Factors from m/s to the display speed units by unit number 0..6: 0 km/h 3.6, 1 kt
/// 1.9438444, 2 mph 2.2369363, 3 "kFpf" 6.0132294; 4 to 6 are 0. Index 0 also turns
/// km/h read from files into m/s.
inline constexpr std::array<double, 7> kSpeedUnitFactors = {3.6, 1.9438444, 2.2369363, 6.0132294,
                                                            0.0, 0.0,       0.0};

/// The airspeed factor and what the telemetry tells of the glider's flight.
struct GggpolRecord {
    /// McCready setting from the simulator (MC=, m/s).
    double calage = 0.0;
    /// True airspeed divided by indicated airspeed at the present altitude.
    double fmulatm = 0.0;
    /// Load factor from the telemetry (g).
    double gforce = 0.0;
};

/// The simulator's plane data as read and derived from its plane-data file.
struct Cndrp0Record {
    /// 1: rmass; 2: rmass plus the extra ballast (kg).
    std::array<double, 3> dmass{};
    /// Never-exceed speed from the plane file (km/h); listed only.
    double vne = 0.0;
    /// Water ballast capacity (kg).
    double ball = 0.0;
    /// Ballast dump time, ball / (dump rate + 1e-9) (s).
    double tball = 0.0;
    /// Wing area (m^2).
    double area = 0.0;
    /// Mass at which the polar nodes are given (kg).
    double c_rmass = 0.0;
    /// First additional mass term (kg).
    double d_rmas1 = 0.0;
    /// Maximum take-off mass (kg).
    double mtow = 0.0;
    /// Second additional mass term (kg).
    double d_rmas2 = 0.0;
    /// Polar scaling factor sqrt(rmass / c_rmass).
    double fcor = 0.0;
    /// sqrt(mtow / rmass).
    double fmul = 0.0;
    /// Word listed under "HAND".
    int hand = 0;
    /// Class code 0..10.
    int iclass = 0;
    /// Number of seats.
    int nbseat = 0;
    /// Not used.
    bool qlist = false;
    /// Nodes already adjusted: skips the fcor scaling; nothing sets it.
    bool qadj = false;
};

/// Nodes of the Bezier polar, 1..kMaxPolarNodes: airspeeds (km/h) and sink rates (m/s).
struct Rrrppp000Record {
    /// Node airspeed (km/h).
    std::array<double, kMaxPolarNodes + 1> vv_c{};
    /// Airspeed of the incoming control point (km/h).
    std::array<double, kMaxPolarNodes + 1> vv_m{};
    /// Airspeed of the outgoing control point (km/h).
    std::array<double, kMaxPolarNodes + 1> vv_p{};
    /// Node sink rate (m/s).
    std::array<double, kMaxPolarNodes + 1> vz_c{};
    /// Sink rate of the incoming control point (m/s).
    std::array<double, kMaxPolarNodes + 1> vz_m{};
    /// Sink rate of the outgoing control point (m/s).
    std::array<double, kMaxPolarNodes + 1> vz_p{};
    /// Number of segments, npt_bz - 1.
    int nbi_bz = 0;
    /// Number of nodes read.
    int npt_bz = 0;
    /// Not used.
    double tmax = 0.0;
    /// Extrapolation switch; nothing sets it.
    bool qex_bz = false;
    /// Verbose listing switch; nothing sets it.
    bool qv_bz = false;
};

/// Control points and spans of the Bezier segments, 1..kMaxPolarNodes.
struct Rrrppp002Record {
    /// p_bz[k][c][s]: control point k (0..3) of coordinate c (1 airspeed in km/h, 2 sink in
    /// m/s) of segment s.
    std::array<std::array<std::array<double, kMaxPolarNodes + 1>, 3>, 4> p_bz{};
    /// Airspeed span of each segment, vv_c(s+1) - vv_c(s) (km/h).
    std::array<double, kMaxPolarNodes + 1> dv_bz{};
};

/// A glider's polar from the simulator's plane files: what get_pol found.
struct PlanePolar {
    /// The plane-data file was read: `plane` holds it (its dmass[1] is the reference mass).
    bool plane_read = false;
    /// The nodes were read too and the segments built: the polar can be used.
    bool ready = false;
    Cndrp0Record plane;
    Rrrppp000Record nodes;
    Rrrppp002Record segments;
};

/// The glider of a flight: what the flight plan, the glider data and the telemetry tell.
struct Glider {
    GggmasRecord masses;
    Ggg001Record names;
    Ggg002Record options;
    GggpolRecord flown;
};

} // namespace kalveo
