#include "glider/plane_data.h"

#include "glider/file_bytes.h"
#include "glider/plane_listing.h"
#include "glider/polar_curve.h"
#include "platform/paths.h"
#include "report/log.h"
#include "report/trace.h"
#include "text/file_names.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdio>

namespace kalveo {
namespace {

constexpr int kCondor2Words = 132;
constexpr int kCondor3Words = 158;
constexpr std::size_t kWordBytes = 4;
constexpr std::size_t kNodeBytes = 6 * kWordBytes;

std::uint32_t word_at(std::string_view bytes, std::size_t offset) {
    std::uint32_t w = 0;
    for (std::size_t i = 0; i < kWordBytes; ++i) {
        w |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    }
    return w;
}

// Word `n` counted from 1, as the layouts number them.
std::int32_t int_word(std::string_view bytes, int n) {
    return static_cast<std::int32_t>(word_at(bytes, static_cast<std::size_t>(n - 1) * kWordBytes));
}

float real_word(std::string_view bytes, int n) {
    return std::bit_cast<float>(word_at(bytes, static_cast<std::size_t>(n - 1) * kWordBytes));
}

float real_at(std::string_view bytes, std::size_t offset) {
    return std::bit_cast<float>(word_at(bytes, offset));
}

std::optional<std::string> read_binary(const std::string& name) {
    return read_file_bytes(native_path(name));
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// The polar scaling factor; a file without a usable reference mass leaves the
// nodes as they are rather than turning them into infinities.
double polar_scale(double rmass, double c_rmass) {
    const double fcor = std::sqrt(rmass / c_rmass);
    return std::isfinite(fcor) && fcor > 0 ? fcor : 1.0;
}

Rrrppp000Record node_record(const std::vector<StoredNode>& nodes) {
    Rrrppp000Record r;
    const int n = static_cast<int>(nodes.size());
    for (int i = 1; i <= n; ++i) {
        const StoredNode& node = nodes[static_cast<std::size_t>(i - 1)];
        r.vv_c[i] = node.vv_c;
        r.vz_c[i] = node.vz_c;
        r.vv_m[i] = node.vv_m;
        r.vz_m[i] = node.vz_m;
        r.vv_p[i] = node.vv_p;
        r.vz_p[i] = node.vz_p;
    }
    r.npt_bz = n;
    r.nbi_bz = n - 1;
    return r;
}

void scale_nodes(Rrrppp000Record& r, double fcor) {
    for (int i = 1; i <= r.npt_bz; ++i) {
        for (auto* a : {&r.vv_c, &r.vz_c, &r.vv_m, &r.vz_m, &r.vv_p, &r.vz_p}) {
            (*a)[i] *= fcor;
        }
    }
}

} // namespace

std::optional<PlaneWords> parse_plane_data(std::string_view bytes, bool condor3,
                                           std::string& error) {
    const int words = condor3 ? kCondor3Words : kCondor2Words;
    if (bytes.size() < static_cast<std::size_t>(words) * kWordBytes) {
        char text[160];
        std::snprintf(text, sizeof text, "holds %zu bytes, the Condor %d layout needs %d words",
                      bytes.size(), condor3 ? 3 : 2, words);
        error = text;
        return std::nullopt;
    }
    PlaneWords w;
    if (condor3) {
        w = {int_word(bytes, 83),   real_word(bytes, 88),  real_word(bytes, 106),
             real_word(bytes, 107), real_word(bytes, 112), real_word(bytes, 113),
             real_word(bytes, 114), int_word(bytes, 119),  real_word(bytes, 121),
             real_word(bytes, 125)};
    } else {
        w = {int_word(bytes, 66),  real_word(bytes, 71), real_word(bytes, 85),
             real_word(bytes, 86), real_word(bytes, 91), real_word(bytes, 92),
             real_word(bytes, 93), int_word(bytes, 98),  real_word(bytes, 100),
             real_word(bytes, 104)};
    }
    return w;
}

std::optional<std::vector<StoredNode>> parse_polar_nodes(std::string_view bytes, std::string& note,
                                                         std::string& error) {
    if (bytes.size() < kWordBytes) {
        error = "has no node count";
        return std::nullopt;
    }
    const auto count = static_cast<std::int32_t>(word_at(bytes, 0));
    if (count < 0) {
        error = "has a negative node count " + std::to_string(count);
        return std::nullopt;
    }
    const std::size_t kept = std::min<std::size_t>(static_cast<std::size_t>(count), kMaxPolarNodes);
    if (static_cast<std::size_t>(count) > kept) {
        note = "holds " + std::to_string(count) + " nodes, the first " +
               std::to_string(kMaxPolarNodes) + " are used";
    }
    if (bytes.size() < kWordBytes + kept * kNodeBytes) {
        error = "ends before its " + std::to_string(kept) + " nodes";
        return std::nullopt;
    }
    std::vector<StoredNode> nodes;
    for (std::size_t i = 0; i < kept; ++i) {
        const std::size_t at = kWordBytes + i * kNodeBytes;
        nodes.push_back({real_at(bytes, at), real_at(bytes, at + 4), real_at(bytes, at + 8),
                         real_at(bytes, at + 12), real_at(bytes, at + 16),
                         real_at(bytes, at + 20)});
    }
    return nodes;
}

std::string class_name(int iclass) {
    switch (iclass) {
    case 0:
        return "School";
    case 2:
        return "Club";
    case 3:
        return "Standard";
    case 4:
        return "15m";
    case 5:
        return "18m";
    case 6:
        return "Open";
    case 7:
        return "Accro";
    case 8:
        return "20m-MS";
    default:
        return "??????";
    }
}

Cndrp0Record derive_plane_masses(const PlaneWords& w) {
    Cndrp0Record c;
    c.hand = w.hand;
    c.vne = w.vne;
    c.ball = w.ball;
    c.area = w.area;
    c.c_rmass = w.c_rmass;
    c.d_rmas1 = w.d_rmas1;
    c.mtow = w.mtow;
    c.d_rmas2 = w.d_rmas2;
    c.tball = static_cast<double>(w.ball) / (static_cast<double>(w.dump_rate) + 1e-9);
    c.iclass = w.class_word % 256;
    c.nbseat = w.class_word / 256 + 1;
    const double rmass = c.c_rmass + c.d_rmas1 + c.d_rmas2;
    // Two-seaters with a tank fly with a second person's 80 kg; others may
    // carry what the take-off mass leaves beside a full tank.
    const double fxball =
        (c.nbseat != 1 && c.ball >= 0.1) ? 80.0 : std::max(c.mtow - rmass - c.ball, 0.0);
    c.dmass[1] = rmass;
    c.dmass[2] = rmass + fxball;
    c.fmul = std::sqrt(c.mtow / rmass);
    c.fcor = std::sqrt(rmass / c.c_rmass);
    return c;
}

PlanePolar get_pol(std::string_view cpath, std::string_view ggg) {
    PlanePolar polar;
    const std::string glider = trimmed(ggg);
    // The name comes from the flight plan: it must not lead out of the Planes folder.
    if (file_name_part(glider) != glider) {
        log_message_f("Glider name unusable as a file name : " + glider);
        return polar;
    }
    const std::string stem = trimmed(cpath) + "\\Planes\\" + glider + "\\" + glider;
    const std::string fnam = stem + ".pdt";
    const bool condor3 = cpath.find("Condor3") != std::string_view::npos;
    trace("Condor3 %s\n", condor3 ? "T" : "F");

    const std::optional<std::string> pdt = read_binary(fnam);
    if (!pdt) {
        trace("%s Not found\n", fnam.c_str());
        return polar;
    }
    std::string error;
    const std::optional<PlaneWords> words = parse_plane_data(*pdt, condor3, error);
    if (!words) {
        log_message_f(fnam + " unusable: " + error);
        return polar;
    }
    polar.plane = derive_plane_masses(*words);
    polar.plane_read = true;
    list_plane_data(fnam, polar.plane, words->class_word, condor3);

    const std::string pnam = stem + ".pol";
    const std::optional<std::string> pol = read_binary(pnam);
    if (!pol) {
        trace("%s Not found\n", pnam.c_str());
        return polar;
    }
    std::string note;
    const auto nodes = parse_polar_nodes(*pol, note, error);
    if (!note.empty()) {
        log_message_f(pnam + " " + note);
    }
    if (!nodes) {
        log_message_f(pnam + " unusable: " + error);
        return polar;
    }
    polar.nodes = node_record(*nodes);
    echo_polar_nodes(polar.nodes);
    write_polar_listing(glider, polar);
    if (!polar.plane.qadj) {
        scale_nodes(polar.nodes, polar_scale(polar.plane.dmass[1], polar.plane.c_rmass));
    }
    polar.segments = build_segments(polar.nodes);
    polar.ready = true;
    return polar;
}

void update_wl(GggmasRecord& masses) {
    masses.cmass = masses.rmass + masses.fmass + masses.wmass;
}

} // namespace kalveo
