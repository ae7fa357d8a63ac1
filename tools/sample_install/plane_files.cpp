// Writer of the simulator's binary plane files for sample installations.
#include "sample_install/plane_files.h"

#include <bit>
#include <fstream>
#include <system_error>

namespace kalveo {
namespace {

void put_word(std::string& bytes, int word, std::uint32_t value) {
    const auto at = static_cast<std::size_t>(word - 1) * 4;
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xffu);
    }
}

void put_real(std::string& bytes, int word, float value) {
    put_word(bytes, word, std::bit_cast<std::uint32_t>(value));
}

void put_int(std::string& bytes, int word, std::int32_t value) {
    put_word(bytes, word, static_cast<std::uint32_t>(value));
}

void append_word(std::string& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xffu));
    }
}

bool write_bytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// Node speeds shared by the samples: dense near minimum sink, wider at speed.
const std::vector<float> kNodeSpeeds = {70, 80, 95, 115, 140, 170, 210, 250};

PlaneData make_plane(std::string name, float vne, float ball, float dump_rate, float area,
                     float c_rmass, float d_rmas1, float d_rmas2, float mtow, int iclass,
                     int nbseat, const Parabola& polar) {
    PlaneData plane;
    plane.name = std::move(name);
    plane.vne = vne;
    plane.ball = ball;
    plane.dump_rate = dump_rate;
    plane.area = area;
    plane.c_rmass = c_rmass;
    plane.d_rmas1 = d_rmas1;
    plane.d_rmas2 = d_rmas2;
    plane.mtow = mtow;
    plane.iclass = iclass;
    plane.nbseat = nbseat;
    plane.nodes = polar_nodes_from_parabola(polar.a, polar.b, polar.c, kNodeSpeeds);
    return plane;
}

} // namespace

int plane_data_word_count(PlaneLayout layout) {
    return layout == PlaneLayout::condor3 ? 158 : 132;
}

PlaneWordPositions plane_word_positions(PlaneLayout layout) {
    if (layout == PlaneLayout::condor3) {
        return {83, 88, 106, 107, 112, 113, 114, 119, 121, 125};
    }
    return {66, 71, 85, 86, 91, 92, 93, 98, 100, 104};
}

Parabola parabola_through(double v1, double w1, double v2, double w2, double v3, double w3) {
    // Divided differences: w = w1 + d1·(v − v1) + a·(v − v1)(v − v2).
    const double d1 = (w2 - w1) / (v2 - v1);
    const double d2 = (w3 - w2) / (v3 - v2);
    const double a = (d2 - d1) / (v3 - v1);
    const double b = d1 - a * (v1 + v2);
    const double c = w1 - d1 * v1 + a * v1 * v2;
    return {a, b, c};
}

std::vector<PolarNode> polar_nodes_from_parabola(double a, double b, double c,
                                                 const std::vector<float>& speeds) {
    const auto sink = [&](double v) { return a * v * v + b * v + c; };
    const auto slope = [&](double v) { return 2 * a * v + b; };
    std::vector<PolarNode> nodes;
    const std::size_t n = speeds.size();
    for (std::size_t i = 0; i < n; ++i) {
        const double v = speeds[i];
        // The end nodes borrow the span of their only segment.
        const double before = i > 0 ? v - speeds[i - 1] : (n > 1 ? speeds[1] - v : 10.0);
        const double after = i + 1 < n ? speeds[i + 1] - v : before;
        PolarNode node;
        node.vv_c = static_cast<float>(v);
        node.vz_c = static_cast<float>(sink(v));
        node.vv_m = static_cast<float>(v - before / 3);
        node.vz_m = static_cast<float>(sink(v) - slope(v) * before / 3);
        node.vv_p = static_cast<float>(v + after / 3);
        node.vz_p = static_cast<float>(sink(v) + slope(v) * after / 3);
        nodes.push_back(node);
    }
    return nodes;
}

std::vector<std::string> sample_plane_names() {
    return {"LS8neo", "ASK21", "Discus2a", "Diana2", "Arcus"};
}

std::optional<PlaneData> sample_plane(std::string_view name) {
    // Handbook-like figures; polars as parabolas through three typical points.
    if (name == "LS8neo") {
        return make_plane("LS8neo", 280, 190, 1.0F, 10.5F, 330, 20, 10, 525, 3, 1,
                          parabola_through(75, -0.62, 110, -0.80, 180, -2.05));
    }
    if (name == "ASK21") {
        return make_plane("ASK21", 280, 0, 0, 17.95F, 470, 20, 0, 600, 0, 2,
                          parabola_through(70, -0.70, 100, -0.90, 150, -2.00));
    }
    if (name == "Discus2a") {
        return make_plane("Discus2a", 250, 200, 1.2F, 10.16F, 320, 10, 0, 525, 3, 1,
                          parabola_through(80, -0.62, 120, -0.88, 180, -1.95));
    }
    if (name == "Diana2") {
        return make_plane("Diana2", 270, 250, 1.4F, 8.16F, 280, 0, 0, 500, 4, 1,
                          parabola_through(75, -0.55, 110, -0.72, 170, -1.65));
    }
    if (name == "Arcus") {
        return make_plane("Arcus", 280, 185, 1.2F, 15.59F, 600, 40, 0, 800, 8, 2,
                          parabola_through(80, -0.60, 120, -0.82, 180, -1.70));
    }
    return std::nullopt;
}

std::string plane_data_bytes(const PlaneData& plane, PlaneLayout layout) {
    std::string bytes(static_cast<std::size_t>(plane_data_word_count(layout)) * 4, '\0');
    const PlaneWordPositions at = plane_word_positions(layout);
    put_int(bytes, at.hand, plane.hand);
    put_real(bytes, at.vne, plane.vne);
    put_real(bytes, at.ball, plane.ball);
    put_real(bytes, at.dump_rate, plane.dump_rate);
    put_real(bytes, at.area, plane.area);
    put_real(bytes, at.c_rmass, plane.c_rmass);
    put_real(bytes, at.d_rmas1, plane.d_rmas1);
    put_int(bytes, at.class_word, plane.iclass + 256 * (plane.nbseat - 1));
    put_real(bytes, at.mtow, plane.mtow);
    put_real(bytes, at.d_rmas2, plane.d_rmas2);
    return bytes;
}

std::string polar_node_bytes(const std::vector<PolarNode>& nodes) {
    std::string bytes;
    append_word(bytes, static_cast<std::uint32_t>(nodes.size()));
    for (const PolarNode& node : nodes) {
        for (float value : {node.vv_c, node.vz_c, node.vv_m, node.vz_m, node.vv_p, node.vz_p}) {
            append_word(bytes, std::bit_cast<std::uint32_t>(value));
        }
    }
    return bytes;
}

bool write_plane_files(const std::filesystem::path& planes_folder, const PlaneData& plane,
                       PlaneLayout layout) {
    const std::filesystem::path folder = planes_folder / plane.name;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        return false;
    }
    return write_bytes(folder / (plane.name + ".pdt"), plane_data_bytes(plane, layout)) &&
           write_bytes(folder / (plane.name + ".pol"), polar_node_bytes(plane.nodes));
}

bool write_sample_plane(const std::filesystem::path& planes_folder, std::string_view glider,
                        PlaneLayout layout) {
    const std::optional<PlaneData> plane = sample_plane(glider);
    return plane && write_plane_files(planes_folder, *plane, layout);
}

} // namespace kalveo
