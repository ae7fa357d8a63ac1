// glider/plane_data: the simulator's plane-data (.pdt) and polar-node (.pol)
// files, the masses derived from them (get_pol) and the current total mass.
#pragma once

#include "glider/records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalveo {

/// The words of a plane-data file the instrument uses, as stored.
struct PlaneWords {
    std::int32_t hand = 0;
    float vne = 0;               ///< km/h
    float ball = 0;              ///< water ballast capacity, kg
    float dump_rate = 0;         ///< kg/s
    float area = 0;              ///< m²
    float c_rmass = 0;           ///< kg, mass the polar nodes are given for
    float d_rmas1 = 0;           ///< kg
    std::int32_t class_word = 0; ///< class code + 256 × (seats − 1)
    float mtow = 0;              ///< kg
    float d_rmas2 = 0;           ///< kg
};

/// Parses a plane-data file's bytes in the version 3 layout (`condor3`) or the
/// version 2 layout. A file shorter than its layout is refused: `error` then
/// says why.
[[nodiscard]] std::optional<PlaneWords> parse_plane_data(std::string_view bytes, bool condor3,
                                                         std::string& error);

/// A polar node as stored: airspeeds in km/h, vertical speeds in m/s.
struct StoredNode {
    float vv_c = 0, vz_c = 0, vv_m = 0, vz_m = 0, vv_p = 0, vz_p = 0;
};

/// Parses a polar-node file: the node count, then six reals per node. Keeps
/// at most 12 nodes (`note` says so when the file holds more); refuses a
/// negative count or a file that ends before its nodes (`error`).
[[nodiscard]] std::optional<std::vector<StoredNode>>
parse_polar_nodes(std::string_view bytes, std::string& note, std::string& error);

/// Name of a class code, "??????" for codes without one.
[[nodiscard]] std::string class_name(int iclass);

/// The plane data and its masses from the words of a plane-data file; its
/// dmass[1] is the glider's reference mass.
[[nodiscard]] Cndrp0Record derive_plane_masses(const PlaneWords& words);

/// Loads the plane data and polar of glider `ggg` from the installation
/// folder `cpath` ("...\Planes\<ggg>\<ggg>.pdt" and ".pol"), scales the nodes
/// to the glider's reference mass and builds the polar segments. The polar is
/// `ready` when both files were usable; `plane_read` says the plane data was.
[[nodiscard]] PlanePolar get_pol(std::string_view cpath, std::string_view ggg);

/// Current total mass: cmass = rmass + fmass + wmass.
void update_wl(GggmasRecord& masses);

} // namespace kalveo
