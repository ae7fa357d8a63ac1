#include "flight/polar_mode.h"

#include "flight/records.h"
#include "glider/plane_data.h"
#include "glider/polar_curve.h"
#include "platform/paths.h"
#include "report/file_versions.h"
#include "report/log.h"
#include "report/trace.h"
#include "text/blanks.h"
#include "text/file_names.h"
#include "text/strings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace kalveo {

namespace {

constexpr char kTableHeader[] =
    " t z TAS IAS Vz_C Vz_C_Mod z(n-1) TAS(n-1) IAS(n-1) Vz_C_Cen Vz_C_Cen_Mod";
constexpr char kCsvHeader[] = "IAS,Vz_C,Flaps";

std::string csv_name_of(const std::string& table_name) {
    const std::size_t dot = table_name.rfind(".txt");
    if (dot == std::string::npos) return table_name + ".csv";
    return table_name.substr(0, dot) + ".csv" + table_name.substr(dot + 4);
}

// The next numbered name of `name`, opened for writing. Failures are logged; the
// flight goes on without that file.
void open_result_file(std::string& name, std::ofstream& file) {
    if (file.is_open()) file.close();
    if (get_new_vers(name) == 0) return;
    const std::filesystem::path path = native_path(name);
    std::error_code ec;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
    file.open(path, std::ios::out | std::ios::trunc);
    if (!file) log_printf("{W}Polar result file could not be created : %s", name.c_str());
}

std::string csv_text(std::string_view line, const PolarState& st) {
    return st.decimal_comma ? subs_dot_comma(line) : std::string(line);
}

void load_reference_polar(PolarState& st, const Installation& installation, Glider& glider) {
    const std::string& cpath =
        installation.condor_version == 2 ? installation.instpath2 : installation.instpath3;
    st.reference = get_pol(cpath, glider.names.glnam);
    // The plane file's reference mass is the glider's, even without a usable polar.
    if (st.reference.plane_read) glider.masses.rmass = st.reference.plane.dmass[1];
    st.qgotpol = st.reference.ready;
    trace(" get_pol %d\n", st.qgotpol ? 1 : 0);
    st.nbfpl = st.qgotpol ? sample_reference_polar(st.reference, st.vvpol) : 0;
}

std::string simulator_flap_name(const FlightRecords& f) {
    const int n = std::clamp(f.flaps_0.nfl_act, 0, kMaxFlaps);
    return std::string(trim(f.flaps_c.cflap[n]));
}

// A point that did not reach its file (a full disk) is logged once per flight; later points
// are still tried, in case room is made.
void check_written(std::ofstream& file, const std::string& name, PolarState& st) {
    if (file) return;
    file.clear();
    if (st.write_failed) return;
    st.write_failed = true;
    log_printf("{W}Polar point could not be written : %s", name.c_str());
}

void write_point(const PolarSample& s, PolarState& st, const FlightRecords& f) {
    if (st.table.is_open()) {
        const double values[] = {s.tcalc, s.z,      s.tas,  s.ias,       s.vz_comp,    s.vz_comp_m,
                                 s.z_m1,  s.tas_m1, s.v_m1, s.vz_comp_c, s.vz_comp_c_m};
        char item[32];
        for (const double value : values) {
            std::snprintf(item, sizeof item, " %12.4f", value);
            st.table << item;
        }
        st.table << '\n' << std::flush;
        check_written(st.table, st.polfile, st);
    }
    if (st.csv.is_open()) {
        char line[128];
        if (f.my_tas_0.qflap_c) {
            std::snprintf(line, sizeof line, "%12.4f,%12.4f,%s", s.ias, s.vz_comp_c_m,
                          simulator_flap_name(f).c_str());
        } else {
            std::snprintf(line, sizeof line, "%12.4f,%12.4f,", s.ias, s.vz_comp_c_m);
        }
        st.csv << csv_text(line, st) << '\n' << std::flush;
        check_written(st.csv, st.csvfile, st);
    }
}

} // namespace

void prepare_polar_flight(PolarState& st, const Installation& installation, Glider& glider,
                          bool french) {
    st.decimal_comma = french;
    const std::string name = file_name_part(glider.names.glnam);
    if (!name.empty()) {
        st.polfile = "Polars\\" + name + "-FlightPolar.txt";
        load_reference_polar(st, installation, glider);
    } else {
        st.polfile = "Polars\\FlightPolar.txt";
        st.qgotpol = false;
        st.nbfpl = 0;
    }
    st.write_failed = false;
    open_result_file(st.polfile, st.table);
    if (st.table.is_open()) st.table << kTableHeader << '\n' << std::flush;
    st.csvfile = csv_name_of(st.polfile);
    open_result_file(st.csvfile, st.csv);
    if (st.csv.is_open()) st.csv << csv_text(kCsvHeader, st) << '\n' << std::flush;
    log_printf("Polar files : %s %s", st.polfile.c_str(), st.csvfile.c_str());
}

void record_polar_point(const PolarSample& s, PolarState& st, const FlightOutputs& out,
                        FlightRecords& f) {
    if (!f.my_tas_0.qwrpol) return;
    const double steadiness = st.dvdt_moy / s.ias;
    trace("%8.3f %10.3E %10.3E%7.2f\n", s.ias * 3.6, s.dvdt, steadiness, f.my_tas_0.tau_vz);
    if (!(std::abs(steadiness) < kSteadySpeed)) return;
    trace(" write polar %f %f %f %f %f %f\n", s.tcalc, s.z, s.tas, s.ias, s.vz_comp, s.vz_comp_m);
    write_point(s, st, f);
    if (out.my_beep) out.my_beep(930, 100);
    // The table's entries after kRecordedPolarMax belong to the reference polar.
    if (st.nbpol < kRecordedPolarMax) {
        ++st.nbpol;
        st.vvpol[st.nbpol] = {s.ias, s.vz_comp_c_m};
    }
    f.my_tas_0.qwrpol = false;
}

void follow_speed_trace(double ias, PolarState& st) {
    double vmin = 1.0e10;
    double vmax = 0.0;
    for (int i = kTraceLength - 1; i >= 1; --i) {
        st.vsve[i] = st.vsve[i - 1];
        vmin = std::min(vmin, st.vsve[i]);
        vmax = std::max(vmax, st.vsve[i]);
    }
    st.vsve[0] = ias;
    if (vmax - vmin < 1.0) {
        vmax = ias + 0.5;
        vmin = ias - 0.5;
    }
    const double dv = std::max(ias - vmin, vmax - ias);
    for (int i = 0; i < kTraceLength; ++i)
        st.vval[i] = (st.vsve[i] - ias) / dv;
}

void fill_polar_display(InstrumentReading& reading, const PolarState& st, double ev1, double dvdt_c,
                        const FlightRecords& f) {
    reading.recording_polar_point = f.my_tas_0.qwrpol;
    reading.energy_vario = ev1;
    reading.speed_change = dvdt_c;
    if (!st.qgotpol) return; // no polar: no speed of least sink
    reading.min_sink_speed = vv_bz(st.reference.segments, 0.0, 1) / 3.6;
}

} // namespace kalveo
