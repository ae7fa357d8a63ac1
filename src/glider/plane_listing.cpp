#include "glider/plane_listing.h"

#include "glider/plane_data.h"
#include "platform/file_replace.h"
#include "platform/paths.h"
#include "report/log.h"
#include "report/trace.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace kalveo {
namespace {

void labelled(const char* label, double a) {
    trace(" %-4s %12.4f\n", label, a);
}

void labelled(const char* label, double a, double b) {
    trace(" %-4s %12.4f %12.4f\n", label, a, b);
}

std::string node_line(const Rrrppp000Record& r, int i) {
    char line[120];
    std::snprintf(line, sizeof line, " %14.7f %14.7f %14.7f %14.7f %14.7f %14.7f", r.vv_c[i],
                  r.vz_c[i], r.vv_m[i], r.vz_m[i], r.vv_p[i], r.vz_p[i]);
    return line;
}

} // namespace

void list_plane_data(const std::string& fnam, const Cndrp0Record& c, int class_word, bool condor3) {
    const double rmass = c.dmass[1];
    const double fxball = c.dmass[2] - c.dmass[1];
    trace("\n%-39s %8.5f %8.5f\n", fnam.c_str(), c.fmul, c.fcor);
    trace(" %10.1f %10.1f %10.1f %10.1f %10.1f %10.1f %10.1f\n", c.c_rmass, c.d_rmas1, c.d_rmas2,
          rmass, c.mtow, c.ball, fxball);
    trace(" %4d %8d %4d %-20s %4d\n", condor3 ? 119 : 98, class_word, c.iclass,
          class_name(c.iclass).c_str(), c.nbseat);
    // The verbose switch of the nodes is never set.
    if (!condor3) {
        trace(" RMASS %10.1f %10.1f %10.1f %10.1f\n", rmass, c.c_rmass, c.d_rmas1, c.d_rmas2);
        return;
    }
    labelled("AREA", c.area);
    labelled("DMAS", c.d_rmas1, c.d_rmas2);
    labelled("CREF", c.c_rmass, c.c_rmass / c.area);
    labelled("REF0", rmass, rmass / c.area);
    labelled("REF1", c.dmass[1], c.dmass[1] / c.area);
    labelled("REF2", c.dmass[2], c.dmass[2] / c.area);
    labelled("MTOW", c.mtow, c.mtow / c.area);
    labelled("VNE", c.vne);
    labelled("FMUL", c.fmul);
    labelled("FCOR", c.fcor);
    labelled("FXB ", fxball);
    labelled("BALL", c.ball);
    labelled("TBAL", c.tball);
    trace(" HAND %12d\n", c.hand);
}

void echo_polar_nodes(const Rrrppp000Record& nodes) {
    for (int i = 1; i <= nodes.npt_bz; ++i) {
        trace("%4d%s\n", i, node_line(nodes, i).c_str());
    }
}

bool write_polar_listing(const std::string& glider, const PlanePolar& polar) {
    const std::string name = "Details\\" + glider + "_pol.txt";
    const std::filesystem::path file = native_path(name);
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    char head[40];
    std::snprintf(head, sizeof head, "%4d%16.9E", polar.nodes.npt_bz, polar.plane.fcor);
    std::string listing = std::string(head) + '\n';
    for (int i = 1; i <= polar.nodes.npt_bz; ++i) {
        listing += node_line(polar.nodes, i) + '\n';
    }
    if (const std::string reason = replace_file(file, listing); !reason.empty()) {
        log_message_f(name + " could not be written: " + reason);
        return false;
    }
    return true;
}

} // namespace kalveo
