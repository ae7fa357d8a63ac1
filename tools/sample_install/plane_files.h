// sample_install/plane_files: a glider's binary plane-data (.pdt) and polar-node
// (.pol) files as the simulator keeps them under Planes\<glider>\, written for
// sample installations and tests.
//
// Entry points:
//   bool write_sample_plane(const std::filesystem::path& planes_folder,
//                           std::string_view glider, PlaneLayout layout);
//     writes planes_folder/<glider>/<glider>.pdt and .pol for one of
//     sample_plane_names() ("LS8neo", "ASK21", "Discus2a", "Diana2", "Arcus");
//   bool write_plane_files(const std::filesystem::path& planes_folder,
//                          const PlaneData& plane, PlaneLayout layout);
//     the same for any figures (tests craft their own).
// Both return false when the glider is unknown or a file cannot be written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalveo {

/// Word layout of the plane-data file: version 2 has 132 words, version 3 158.
enum class PlaneLayout { condor2, condor3 };

/// Number of 32-bit words the layout holds.
[[nodiscard]] int plane_data_word_count(PlaneLayout layout);

/// 1-based word positions of the quantities the instrument reads.
struct PlaneWordPositions {
    int hand;       ///< handling word (integer)
    int vne;        ///< never-exceed speed (real, km/h)
    int ball;       ///< water ballast capacity (real, kg)
    int dump_rate;  ///< ballast dump rate (real, kg/s)
    int area;       ///< wing area (real, m²)
    int c_rmass;    ///< mass the polar nodes are given for (real, kg)
    int d_rmas1;    ///< first additional mass term (real, kg)
    int class_word; ///< class code + 256 × (seats − 1) (integer)
    int mtow;       ///< maximum take-off mass (real, kg)
    int d_rmas2;    ///< second additional mass term (real, kg)
};
[[nodiscard]] PlaneWordPositions plane_word_positions(PlaneLayout layout);

/// One node of the polar: the node and its incoming (m) and outgoing (p)
/// control points; airspeeds in km/h, vertical speeds in m/s (sink negative).
struct PolarNode {
    float vv_c = 0, vz_c = 0, vv_m = 0, vz_m = 0, vv_p = 0, vz_p = 0;
};

/// The figures a plane-data file carries, plus the polar.
struct PlaneData {
    std::string name;        ///< plane folder and file name
    float vne = 0;           ///< km/h
    float ball = 0;          ///< water ballast capacity, kg
    float dump_rate = 0;     ///< kg/s
    float area = 0;          ///< m²
    float c_rmass = 0;       ///< kg, mass of the polar nodes
    float d_rmas1 = 0;       ///< kg
    float d_rmas2 = 0;       ///< kg
    float mtow = 0;          ///< kg
    std::int32_t hand = 0;   ///< handling word
    std::int32_t iclass = 0; ///< class code 0..10
    std::int32_t nbseat = 1; ///< seats
    std::vector<PolarNode> nodes;
};

/// Bézier polar nodes through a parabola sink(v) = a·v² + b·v + c (v in km/h,
/// sink in m/s) at the given speeds, control points a third of the way along
/// the tangents, so the curve follows the parabola closely.
[[nodiscard]] std::vector<PolarNode> polar_nodes_from_parabola(double a, double b, double c,
                                                               const std::vector<float>& speeds);

/// The parabola through three (km/h, m/s) points, as {a, b, c}.
struct Parabola {
    double a, b, c;
};
[[nodiscard]] Parabola parabola_through(double v1, double w1, double v2, double w2, double v3,
                                        double w3);

/// Names of the built-in sample gliders.
[[nodiscard]] std::vector<std::string> sample_plane_names();

/// Figures of a built-in sample glider, nothing when the name is unknown.
[[nodiscard]] std::optional<PlaneData> sample_plane(std::string_view name);

/// The .pdt file's bytes in the given layout (little-endian words).
[[nodiscard]] std::string plane_data_bytes(const PlaneData& plane, PlaneLayout layout);

/// The .pol file's bytes: node count, then six reals per node.
[[nodiscard]] std::string polar_node_bytes(const std::vector<PolarNode>& nodes);

bool write_plane_files(const std::filesystem::path& planes_folder, const PlaneData& plane,
                       PlaneLayout layout);

bool write_sample_plane(const std::filesystem::path& planes_folder, std::string_view glider,
                        PlaneLayout layout);

} // namespace kalveo
