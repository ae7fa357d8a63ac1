// Texts of the simulator's files for sample installations.
#include "sample_install/sample_files.h"

#include <cstdio>

namespace kalveo {
namespace {

constexpr const char* kCrLf = "\r\n";

std::string num(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

class Lines {
  public:
    explicit Lines(const char* end) : end_(end) {}
    Lines& operator()(const std::string& line) {
        text_ += line;
        text_ += end_;
        return *this;
    }
    Lines& kv(const std::string& key, const std::string& value) {
        return (*this)(key + "=" + value);
    }
    Lines& kv(const std::string& key, double value) { return kv(key, num(value)); }
    [[nodiscard]] const std::string& text() const { return text_; }

  private:
    const char* end_;
    std::string text_;
};

void turnpoint(Lines& out, int i, const SampleTurnpoint& tp) {
    const std::string n = std::to_string(i);
    out.kv("TPName" + n, tp.name).kv("TPPosX" + n, tp.x).kv("TPPosY" + n, tp.y);
    out.kv("TPPosZ" + n, tp.z).kv("TPAirport" + n, tp.airport ? 1 : 0);
    out.kv("TPSectorType" + n, 0).kv("TPSectorDirection" + n, 0).kv("TPRadius" + n, 3000);
    out.kv("TPAngle" + n, i == 0 ? 90 : 180).kv("TPAltitude" + n, 1500).kv("TPWidth" + n, 0);
    out.kv("TPHeight" + n, 10000).kv("TPAzimuth" + n, 0);
}

void zone_weather(Lines& out, const SampleWeatherZone& z) {
    out.kv("Name", z.name).kv("PointCount", 0).kv("MoveDir", 0).kv("MoveSpeed", 0);
    out.kv("BorderWidth", 0).kv("WindDir", z.wind_dir).kv("WindSpeed", z.wind_speed);
    out.kv("WindUpperSpeed", z.wind_speed + 3).kv("WindDirVariation", 1);
    out.kv("WindSpeedVariation", 1).kv("WindTurbulence", 1).kv("ThermalsTemp", z.temperature);
    out.kv("ThermalsTempVariation", 1).kv("ThermalsDew", z.temperature - 12);
    out.kv("ThermalsStrength", 2).kv("ThermalsStrengthVariation", 1);
    out.kv("ThermalsInversionheight", 2500).kv("ThermalsOverdevelopment", 0);
    out.kv("ThermalsWidth", 2).kv("ThermalsWidthVariation", 1).kv("ThermalsActivity", 3);
    out.kv("ThermalsActivityVariation", 1).kv("ThermalsTurbulence", 1);
    out.kv("ThermalsFlatsActivity", 2).kv("ThermalsStreeting", 0).kv("ThermalsBugs", z.bugs);
    out.kv("WavesStability", 5).kv("WavesMoisture", 8).kv("HighCloudsCoverage", 2);
}

// Version 3 keeps every zone in its own section; version 2 keeps the base
// zone and the sea-level pressure in [Weather].
void weather(Lines& out, const SampleFlightPlan& plan) {
    out("[Weather]").kv("RandomizeWeatherOnEachFlight", 0).kv("WZCount", plan.zones.size());
    for (std::size_t z = 0; z < plan.zones.size(); ++z) {
        if (z == 0 && plan.version == 2) {
            zone_weather(out, plan.zones[0]);
            out.kv("Pressure", plan.pressure_hpa);
            continue;
        }
        out("")("[WeatherZone" + std::to_string(z) + "]");
        zone_weather(out, plan.zones[z]);
    }
}

void game_options(Lines& out, const SampleFlightPlan& plan) {
    out("[GameOptions]").kv("TaskDate", 46194).kv("StartTime", 12).kv("StartTimeWindow", 0);
    out.kv("RaceStartDelay", "0.16666667163372").kv("AATTime", 3).kv("IconsVisibleRange", 20);
    out.kv("ThermalHelpersRange", 11).kv("TurnpointHelpersRange", 30).kv("AAT", 0);
    out.kv("AllowBugwipers", plan.allow_bugwipers ? 1 : 0).kv("AllowPDA", 1);
    out.kv("AllowRealtimeScoring", 1).kv("AllowExternalView", 1).kv("AllowPadlockView", 1);
    out.kv("AllowSmoke", 1).kv("AllowPlaneRecovery", 1).kv("AllowHeightRecovery", 1);
    out.kv("PenaltyCloudFlying", 100).kv("PenaltyPlaneRecovery", 100);
    out.kv("MaxStartGroundSpeed", 150).kv("RandSeed", 1991769747).kv("StartType", 2);
    out.kv("StartHeight", 1500).kv("BreakProb", 0).kv("RopeLength", 50);
}

} // namespace

SampleFlightPlan default_flight_plan(int version) {
    SampleFlightPlan plan;
    plan.version = version;
    plan.landscape = version == 3 ? "AA3" : "Slovenia3";
    plan.glider = version == 3 ? "LS8neo" : "Discus2a";
    plan.turnpoints = {
        {"Home", 671736.25, 468687, 400, true},
        {"Ridge North", 668469.125, 457633.25, 908, false},
        {"Courtelary", 704488.625, 440753.03125, 686, false},
        {"Home Finish", 671736.25, 468687, 412, true},
    };
    plan.zones = {
        {"Base", 270, 4.5, 24, 1},
        {"Lee side", 250, 8, 21, 2},
    };
    return plan;
}

std::string flight_plan_text(const SampleFlightPlan& plan) {
    Lines out(kCrLf);
    out("[Version]").kv("Condor version", plan.version == 3 ? 3100 : 2150)("");
    out("[Task]").kv("Landscape", plan.landscape).kv("Count", plan.turnpoints.size());
    for (std::size_t i = 0; i < plan.turnpoints.size(); ++i)
        turnpoint(out, static_cast<int>(i), plan.turnpoints[i]);
    out.kv("PZCount", 0).kv("DisabledAirspaces", "")("");
    weather(out, plan);
    out("")("[Plane]").kv("Class", plan.glider_class).kv("Name", plan.glider);
    out.kv("Skin", "Default").kv("Water", plan.water).kv("FixedMass", plan.fixed_mass);
    out.kv("CGBias", 0).kv("Seat", 1).kv("Bugwipers", plan.bugwipers ? 1 : 0)("");
    game_options(out, plan);
    out("")("[Description]").kv("Text", "");
    return out.text();
}

std::string log_file_text(int version_number, SampleLogState state) {
    Lines out(kCrLf);
    out("Condor version: " + std::to_string(version_number));
    out("Operating system: Windows 10 (build 19045)")("Processor: 8 cores");
    out("Graphics: Direct3D 11, 1920x1080")("Loading UDP settings");
    out("Initializing sound")("Initializing input devices");
    if (state == SampleLogState::started) return out.text();
    out("Loading flight plan")("Loading landscape")("Loading plane");
    out("ENTERED SIMULATION AT 12:03:41");
    if (state == SampleLogState::in_flight) return out.text();
    out("Flight time 00:44:31")("LEAVING SIMULATION AT 12:48:12")("Saving flight track");
    if (state == SampleLogState::left) return out.text();
    out("SHUTTING DOWN CONDOR.");
    return out.text();
}

std::string udp_ini_text(const SampleUdp& udp) {
    Lines out(kCrLf);
    out("[General]").kv("Enabled", udp.enabled ? 1 : 0)("");
    out("[Connection]").kv("Host", udp.host).kv("Port", udp.port)("");
    out("[Misc]").kv("SendIntervalMs", udp.send_interval_ms).kv("ExtendedData", 1);
    out.kv("ExtendedData1", udp.extended ? 1 : 0).kv("LogToFile", 0);
    return out.text();
}

std::string controls_ini_text(int version, const SampleKeys& keys) {
    const bool v3 = version == 3;
    Lines out(kCrLf);
    out("[{6F1D2B60-D5A0-11CF-BFC7-444553540000}]").kv("3001", 258).kv("3002", 257)("");
    out("[{6F1D2B61-D5A0-11CF-BFC7-444553540000}]");
    out.kv("3003", 30).kv("3004", 44).kv("3010", 57);
    out.kv(v3 ? "3074" : "3040", keys.chat).kv(v3 ? "3030" : "3071", keys.gmeter_reset);
    if (v3) {
        out.kv("3042", keys.next_tp).kv("3043", keys.prev_tp).kv("3044", keys.advance_tp);
        out.kv("3023", keys.bug_wipe);
    }
    out.kv("3060", "")("");
    // A joystick bound to some of the same actions; only the keyboard counts.
    out("[{A2D4C6E0-3B1F-11EF-8001-444553540000}]");
    out.kv("3074", 5).kv("3040", 6).kv("3030", 7).kv("3071", 8).kv("3023", 9);
    return out.text();
}

std::string setup_ini_text(int units, int altimeter_setting, int averager) {
    Lines out(kCrLf);
    out("[Video]").kv("ScreenWidth", 1920).kv("ScreenHeight", 1080).kv("Fullscreen", 1)("");
    out("[Options]").kv("Units", units).kv("AltimeterSetting", altimeter_setting);
    out.kv("AveragerTimeConstant", averager).kv("TimeOfDayFormat", 0).kv("Language", "English");
    out("")("[Sound]").kv("MasterVolume", 80);
    return out.text();
}

std::string user_reg_text(const SampleRegistry& reg) {
    const auto escaped = [](const std::string& text) {
        std::string out;
        for (char c : text) {
            if (c == '\\' || c == '"') out.push_back('\\');
            out.push_back(c);
        }
        return out;
    };
    Lines out("\n");
    out("WINE REGISTRY Version 2")(";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000")("");
    out("#arch=win64")("");
    if (!reg.install_dir2.empty()) {
        out("[Software\\\\Condor2] 1733616000")("#time=1db48f0a1b2c3d4");
        out("\"InstallDir\"=\"" + escaped(reg.install_dir2) + "\"");
        if (!reg.last_player2.empty()) out("\"LastPlayer\"=\"" + escaped(reg.last_player2) + "\"");
        out("");
    }
    if (!reg.install_dir3.empty()) {
        out("[Software\\\\Condor3] 1733616000")("#time=1db48f0a1b2c3d5");
        out("\"InstallDir\"=\"" + escaped(reg.install_dir3) + "\"");
        if (!reg.last_player3.empty()) out("\"LastPlayer\"=\"" + escaped(reg.last_player3) + "\"");
        out("");
    }
    out("[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell Folders] "
        "1733616000");
    out("#time=1db48f0a1b2c3d6");
    out("\"AppData\"=str(2):\"%USERPROFILE%\\\\AppData\\\\Roaming\"");
    if (!reg.personal.empty()) out("\"Personal\"=str(2):\"" + escaped(reg.personal) + "\"");
    out("\"Desktop\"=str(2):\"%USERPROFILE%\\\\Desktop\"")("");
    return out.text();
}

} // namespace kalveo
