#include "sim/fpl_reader.h"

#include "report/messages.h"
#include "report/stop.h"
#include "report/trace.h"
#include "sim/install.h"
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
    error_message(kBoxError, text);
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
        if (auto v = read_int(val)) plan_.task.fpl_vers = *v / 1000;
        if (verbose_) trace(" Condor_version=%1d\n", plan_.task.fpl_vers);
    } else if (key == "Landscape") {
        plan_.scenery.landscape = cut(val, kLandscapeLength);
        if (plan_.task.fpl_vers == 3) {
            // A version 3 plan means the pilot flies version 3 now.
            installation_.cndrvers() = 3;
            std::string folder;
            get_condor_inst_dir(-3, folder, true, installation_);
            if (!folder.empty()) installation_.instpath3 = folder;
        }
    } else if (key.starts_with("TPPosZ")) {
        const auto index = read_int(key.substr(6));
        if (index && *index >= 0 && *index < kMaxTurnpoints)
            set_real(val, plan_.turnpoints.tpz[static_cast<std::size_t>(*index)]);
    } else if (key == "AllowBugwipers") {
        plan_.options.allowbugwipers = is_true(val);
    }
}

void FplReader::take_task(std::string_view key, std::string_view val) {
    if (key != "Count") return;
    const auto count = read_int(val);
    if (!count || *count < 0) return;
    if (*count > kMaxTurnpoints) too_many_turnpoints(french_);
    plan_.task.nb_wp = *count;
    if (verbose_) trace(" Number of legs=%d\n", plan_.task.nb_wp - 2);
}

void FplReader::take_weather(std::string_view key, std::string_view val) {
    if (zone_ < 0) return;
    const auto z = static_cast<std::size_t>(zone_);
    if (key == "Pressure")
        set_real(val, plan_.weather.pressure, 100.0);
    else if (key == "WZCount")
        set_int(val, plan_.zone_bugs.wzcount);
    else if (key == "WindDir")
        set_real(val, plan_.zones.winddir[z]);
    else if (key == "WindSpeed")
        set_real(val, plan_.zones.windspeed[z]);
    else if (key == "ThermalsTemp")
        set_real(val, plan_.zones.thermalstemp[z], 1.0, kZeroCelsius);
    else if (key == "ThermalsBugs")
        set_int(val, plan_.zone_bugs.thermalsbugs[z]);
}

void FplReader::take_plane(std::string_view key, std::string_view val) {
    if (key == "Name")
        plan_.glider.glnam = cut(val, kGliderTextLength);
    else if (key == "Class")
        plan_.glider.glclass = cut(val, kGliderTextLength);
    else if (key == "Skin")
        plan_.glider.glskin = cut(val, kGliderTextLength);
    else if (key == "Water")
        set_real(val, plan_.water);
    else if (key == "FixedMass")
        set_real(val, plan_.fixed_mass);
    else if (key == "CGBias")
        set_real(val, plan_.glider_options.cgbias);
    else if (key == "Seat")
        set_int(val, plan_.glider_options.glseat);
    else if (key == "Bugwipers")
        plan_.glider_options.qbugwipers = is_true(val);
}

} // namespace kalveo
