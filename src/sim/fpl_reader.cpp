#include "sim/fpl_reader.h"

#include "glider/records.h"
#include "report/messages.h"
#include "report/records.h"
#include "report/stop.h"
#include "report/trace.h"
#include "sim/install.h"
#include "sim/records.h"
#include "text/blanks.h"
#include "text/key_value.h"
#include "text/number_read.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace kalveo {
namespace {

constexpr std::size_t kLandscapeLength = 64;
constexpr std::size_t kGliderTextLength = 32;
constexpr double kZeroCelsius = 273.15;

void set_real(std::string_view val, double& field, double scale = 1.0, double offset = 0.0) {
    if (auto v = read_real(val)) field = *v * scale + offset;
}

void set_int(std::string_view val, int& field) {
    if (auto v = read_int(val)) field = *v;
}

std::string cut(std::string_view text, std::size_t length) {
    return std::string(text.substr(0, length));
}

// "[WeatherZone<n>]" gives n, or -1 when n is not a zone the records hold.
int zone_of(std::string_view header) {
    constexpr std::string_view kZone = "[WeatherZone";
    const auto inner = header.substr(kZone.size(), header.size() - kZone.size() - 1);
    const auto n = read_int(inner);
    if (!n || *n < 0 || *n >= kWeatherZones) return -1;
    return *n;
}

[[noreturn]] void too_many_turnpoints(bool french) {
    const char* text = french ? "XCSoar n'accepte pas plus que 30 points de virage"
                              : "XCSoar does not support more than 30 turnpoints";
    error_message(kBoxError, text, cmndta001.qline);
    stop_program(text);
}

} // namespace

bool FplReader::take(std::string_view line) {
    line = trim_right(line.substr(0, kFplLineLength));
    if (line.starts_with("LCONFlightInfo")) return false;
    if (line.starts_with("LCONFPL")) line.remove_prefix(7);
    if (is_blank_text(line)) return true;
    ++lines_;
    const std::string text(line);
    const KeyValue kv = extract_key_val(text);
    trace("%5d %s\n      %s = %s\n", lines_, text.c_str(), kv.key.c_str(), kv.val.c_str());
    if (take_header(trim(kv.key))) return true;
    take_any(kv.key, kv.val);
    switch (section_) {
    case Section::task:
        take_task(kv.key, kv.val);
        break;
    case Section::weather:
        take_weather(kv.key, kv.val);
        break;
    case Section::plane:
        take_plane(kv.key, kv.val);
        break;
    default:
        break;
    }
    return true;
}

bool FplReader::take_header(std::string_view key) {
    if (!key.starts_with('[') || !key.ends_with(']')) return false;
    zone_ = -1;
    if (key == "[Plane]")
        section_ = Section::plane;
    else if (key == "[Version]")
        section_ = Section::version;
    else if (key == "[Task]")
        section_ = Section::task;
    else if (key == "[Weather]") {
        section_ = Section::weather;
        zone_ = 0;
    } else if (key.starts_with("[WeatherZone")) {
        section_ = Section::weather;
        zone_ = zone_of(key);
    } else {
        section_ = Section::other; // [GameOptions], [Description], ...
    }
    return true;
}

void FplReader::take_any(std::string_view key, std::string_view val) {
    if (key == "Condor version") {
        if (auto v = read_int(val)) rd_fpl_0.fpl_vers = *v / 1000;
        if (verbose_) trace(" Condor_version=%1d\n", rd_fpl_0.fpl_vers);
    } else if (key == "Landscape") {
        rd_fpl_2.landscape = cut(val, kLandscapeLength);
        if (rd_fpl_0.fpl_vers == 3) {
            // A version 3 plan means the pilot flies version 3 now.
            inst00.cndrvers() = 3;
            std::string folder;
            get_condor_inst_dir(-3, folder, true);
            if (!folder.empty()) inst00.instpath3 = folder;
        }
    } else if (key.starts_with("TPPosZ")) {
        const auto index = read_int(key.substr(6));
        if (index && *index >= 0 && *index < kMaxTurnpoints)
            set_real(val, rd_fpl_1.tpz[static_cast<std::size_t>(*index)]);
    } else if (key == "AllowBugwipers") {
        rd_fpl_6.allowbugwipers = is_true(val);
    }
}

void FplReader::take_task(std::string_view key, std::string_view val) {
    if (key != "Count") return;
    const auto count = read_int(val);
    if (!count || *count < 0) return;
    if (*count > kMaxTurnpoints) too_many_turnpoints(french_);
    rd_fpl_0.nb_wp = *count;
    if (verbose_) trace(" Number of legs=%d\n", rd_fpl_0.nb_wp - 2);
}

void FplReader::take_weather(std::string_view key, std::string_view val) {
    if (zone_ < 0) return;
    const auto z = static_cast<std::size_t>(zone_);
    if (key == "Pressure")
        set_real(val, rd_fpl_4.pressure, 100.0);
    else if (key == "WZCount")
        set_int(val, rd_fpl_wz2.wzcount);
    else if (key == "WindDir")
        set_real(val, rd_fpl_wz1.winddir[z]);
    else if (key == "WindSpeed")
        set_real(val, rd_fpl_wz1.windspeed[z]);
    else if (key == "ThermalsTemp")
        set_real(val, rd_fpl_wz1.thermalstemp[z], 1.0, kZeroCelsius);
    else if (key == "ThermalsBugs")
        set_int(val, rd_fpl_wz2.thermalsbugs[z]);
}

void FplReader::take_plane(std::string_view key, std::string_view val) {
    if (key == "Name")
        ggg001.glnam = cut(val, kGliderTextLength);
    else if (key == "Class")
        ggg001.glclass = cut(val, kGliderTextLength);
    else if (key == "Skin")
        ggg001.glskin = cut(val, kGliderTextLength);
    else if (key == "Water")
        set_real(val, gggmas.wmass);
    else if (key == "FixedMass")
        set_real(val, gggmas.fmass);
    else if (key == "CGBias")
        set_real(val, ggg002.cgbias);
    else if (key == "Seat")
        set_int(val, ggg002.glseat);
    else if (key == "Bugwipers")
        ggg002.qbugwipers = is_true(val);
}

} // namespace kalveo
