#include "flight/flight_setup.h"

#include "config/records.h"
#include "config/setup_ini.h"
#include "flight/angles.h"
#include "flight/display_round.h"
#include "flight/records.h"
#include "glider/plane_data.h"
#include "glider/records.h"
#include "glider/vne_lookup.h"
#include "report/log.h"
#include "report/messages.h"
#include "report/stop.h"
#include "report/trace.h"
#include "sim/controls.h"
#include "sim/fpl.h"
#include "sim/install.h"
#include "sim/records.h"
#include "sim/sim_files.h"
#include "text/blanks.h"
#include "text/number_read.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace kalveo {

namespace {

constexpr double kUnset = -1000.0; // settings values below this were not given

[[noreturn]] void stop_with_error(const std::string& text) {
    error_message_tit(1, kDefaultBoxTitle, text, false);
    stop_program(text);
}

void require_file(const std::string& file, const MessagesRecord& texts) {
    if (simulator_file_exists(file)) return;
    log_printf("%s NOT FOUND", file.c_str());
    stop_with_error(file + std::string(trim(texts.msgfplnfnd)));
}

SimulatorKeys read_controls(const std::string& pilot, int version, int chat_open_key,
                            const MessagesRecord& texts) {
    const std::string controls = pilot + "\\controls.ini";
    log_printf("%s", controls.c_str());
    const bool q3 = version == 3;
    trace(" Q3 %d %c %s\n", version, q3 ? 'T' : 'F', pilot.c_str());
    require_file(controls, texts);
    const ControlsRead read = read_controls_ini(controls, q3, debug_mode(), chat_open_key,
                                                texts.msgkeymapp, texts.msgkeynosu);
    if (read.status != 0) {
        log_printf("%s ERROR", controls.c_str());
        stop_with_error("controls.ini - Error reading");
    }
    return read.keys;
}

Rdstng00Record read_pilot_options(const std::string& pilot, const MessagesRecord& texts) {
    const std::string setup = pilot + "\\Setup.ini";
    if (debug_mode()) log_printf("%s", setup.c_str());
    require_file(setup, texts);
    const SetupIniRead read = read_settings(setup, debug_mode());
    if (read.status != 0) {
        log_printf("%s ERROR", setup.c_str());
        stop_with_error("Setup.ini - Error reading");
    }
    return read.options;
}

void take_simulator_units(const Rdstng00Record& options, FlightRecords& f) {
    const bool imperial = options.nunit_cndr == 1 || options.nunit_cndr == 2;
    if (options.nunit_cndr == 0) {
        f.my_tas_0.fconv_alt = 1.0;
        f.my_tas_0.fconv_vz = 1.0;
    } else if (imperial) {
        f.my_tas_0.fconv_vz = 1.9438444;
        f.my_tas_0.fconv_alt = 0.3048;
    }
    if (f.my_tas_0.nunit == -1 && options.nunit_cndr >= 0 && options.nunit_cndr <= 2) {
        f.my_tas_0.nunit = imperial ? 1 : 0;
    }
    if (f.my_tas_0.nunit >= 0 && f.my_tas_0.nunit <= 3) {
        f.my_tas_0.fconv = kSpeedUnitFactors[static_cast<std::size_t>(f.my_tas_0.nunit)];
        f.texts.cunit = f.texts.cunit_def[f.my_tas_0.nunit];
    }
    log_printf("%d %g %s %g %g", f.my_tas_0.nunit, f.my_tas_0.fconv, f.texts.cunit.c_str(),
               f.my_tas_0.fconv_alt, f.my_tas_0.fconv_vz);
}

double margin_in_ms(const FlightRecords& f, double setting, double speed_units_default,
                    double kmh_default) {
    if (setting >= kUnset) return setting / f.my_tas_0.fconv;
    const bool knots_or_mph = f.my_tas_0.nunit == 1 || f.my_tas_0.nunit == 2;
    return knots_or_mph ? speed_units_default / f.my_tas_0.fconv
                        : kmh_default / kSpeedUnitFactors[0];
}

void log_flap_table(const FlightRecords& f) {
    const int nflap = std::clamp(f.flaps_0.nflap, 0, kMaxFlaps);
    if (nflap < 1) return;
    log_printf("Flaps settings");
    for (int n = 1; n <= nflap; ++n) {
        std::string name = f.flaps_c.cflap[n];
        name.resize(static_cast<std::size_t>(std::max(f.flaps_0.lflmax, 0)), ' ');
        log_printf("%s %4d%4d", name.c_str(),
                   display_round(f.flaps_0.vflap100[n] * f.my_tas_0.fconv),
                   display_round(f.flaps_0.vflap[n] * f.my_tas_0.fconv));
    }
}

FlightLayout flight_layout(const Settings& settings, const FlightFacts& flight,
                           const FlightRecords& f) {
    const DisplaySettings& display = settings.display;
    const GggmasRecord& masses = flight.glider.masses;
    const SimulatorKeys& keys = flight.keys;
    const double fconv = f.my_tas_0.fconv;
    FlightLayout layout;
    layout.vne = display_round(f.my_tas_0.vne * fconv);
    layout.dv1 = display_round(f.my_tas_0.dv1 * fconv);
    layout.dv2 = display_round(f.my_tas_0.dv2 * fconv);
    layout.flap_mode = f.flaps_0.nflap > 0 ? display.show_flaps : 0;
    layout.max_water = display_round(masses.balmax);
    layout.water = display_round(masses.wmass);
    layout.wind_direction = static_cast<int>(modang(flight.plan.zones.winddir[0] + 180.0, 0.0));
    layout.wind_speed = static_cast<int>(std::clamp(flight.plan.zones.windspeed[0], -1e9, 1e9));
    layout.chat_open_key = settings.keys.simulator_chat_open;
    layout.chat_open_scan = keys.scnchato;
    layout.bug_wipe_scan = negate_key_number(keys.scnbugw);
    layout.g_meter_reset_scan = negate_key_number(keys.scngrst);
    layout.simulator_version = flight.installation.condor_version;
    layout.bug_wipers = flight.glider.options.qbugwipers && display.bug_wipe_turns >= 1;
    layout.min_thermal_turns = display.bug_wipe_turns;
    return layout;
}

std::string longest_flap_name(const FlightRecords& f) {
    if (f.flaps_0.nflap < 1) return "";
    return std::string(trim(f.flaps_c.cflap[std::clamp(f.flaps_0.nflmax, 0, kMaxFlaps)]));
}

} // namespace

void init_settings_0(FlightFacts& flight, FlightRecords& f, int chat_open_key) {
    const Installation& installation = flight.installation;
    const std::string pilot(trim(installation.pilot_path()));
    flight.keys = read_controls(pilot, installation.condor_version, chat_open_key, flight.texts);
    flight.pilot_options = read_pilot_options(pilot, flight.texts);
    take_simulator_units(flight.pilot_options, f);
    f.my_tas_0.qatmo_isa = f.my_tas_0.atmo_mod == 0;
    log_printf(f.my_tas_0.qatmo_isa ? "Atmosphere model = ISA" : "Atmosphere model = Condor");
}

void init_settings_1(const Rdstng00Record& pilot_options, FlightRecords& f) {
    f.my_tas_0.qfe = pilot_options.altsttng == 1;
    if (f.my_tas_0.qfe) {
        log_printf("QFE/AGL :%12.2f", f.my_tas_0.z_0);
    } else {
        f.my_tas_0.z_0 = 0.0;
        log_printf("QNH/MSL");
    }
}

GliderValues current_glider_values(const Glider& glider, const FlightRecords& f) {
    GliderValues v;
    v.vne = f.my_tas_0.vne;
    v.balmax = glider.masses.balmax;
    v.rmass = glider.masses.rmass;
    v.mmass = glider.masses.mmass;
    v.vflap100 = f.flaps_0.vflap100;
    v.cflap = f.flaps_c.cflap;
    v.nflap = f.flaps_0.nflap;
    v.nflmax = f.flaps_0.nflmax;
    v.lflmax = f.flaps_0.lflmax;
    v.glnam = glider.names.glnam;
    return v;
}

void store_glider_values(const GliderValues& v, Glider& glider, FlightRecords& f) {
    f.my_tas_0.vne = v.vne;
    glider.masses.balmax = v.balmax;
    glider.masses.rmass = v.rmass;
    glider.masses.mmass = v.mmass;
    f.flaps_0.vflap100 = v.vflap100;
    // The table as the data file gives it, before any adaptation.
    f.flaps_0.vflap = v.vflap100;
    f.flaps_c.cflap = v.cflap;
    f.flaps_0.nflap = v.nflap;
    f.flaps_0.nflmax = v.nflmax;
    f.flaps_0.lflmax = v.lflmax;
    glider.names.glnam = v.glnam;
}

double default_vne(const FlightRecords& f) {
    switch (f.my_tas_0.nunit) {
    case 0:
        return 270.0 / f.my_tas_0.fconv;
    case 1:
        return 145.0 / f.my_tas_0.fconv;
    case 2:
        return 160.0 / f.my_tas_0.fconv;
    case 3:
        return 450.0 / f.my_tas_0.fconv;
    default:
        return 270.0 / kSpeedUnitFactors[0];
    }
}

void settle_vne(FlightRecords& f, double vne_setting) {
    if (f.my_tas_0.vne >= kUnset) return;
    if (vne_setting >= kUnset) f.my_tas_0.vne = vne_setting / f.my_tas_0.fconv;
}

int init_settings_2(const FlightOutputs& out, const Settings& settings, FlightFacts& flight,
                    FlightRecords& f) {
    GggmasRecord& masses = flight.glider.masses;
    f.my_tas_0.dv1 = margin_in_ms(f, f.my_tas_0.dv1, 5.0, 10.0);
    f.my_tas_0.dv2 = margin_in_ms(f, f.my_tas_0.dv2, 10.0, 20.0);
    if (f.my_tas_0.vne < kUnset) f.my_tas_0.vne = default_vne(f);
    trace(" %g %g %g %g\n", masses.rmass, masses.fmass, masses.wmass, masses.mmass);
    update_wl(masses);
    log_flap_table(f);
    trace(" cunit %s\n", f.texts.cunit.c_str());
    const int result = out.upd_vne ? out.upd_vne(flight_layout(settings, flight, f),
                                                 longest_flap_name(f), trim(f.texts.cunit))
                                   : 0;
    const AlarmSpeeds speeds = alarm_speeds(f.my_tas_0.vne, f.my_tas_0.dv1, f.my_tas_0.dv2);
    f.my_tas_0.va1 = speeds.va1;
    f.my_tas_0.va2 = speeds.va2;
    return result;
}

void learn_flight_from_simulator(FlightFacts& flight, FlightRecords& f, const Settings& settings) {
    Installation& installation = flight.installation;
    Glider& glider = flight.glider;
    glider.masses = GggmasRecord{};
    glider.flown.calage = 0.0;
    get_active_condor_version(installation);
    trace(" condor_version %d\n", installation.condor_version);
    log_printf("call init_settings_0");
    init_settings_0(flight, f, settings.keys.simulator_chat_open);
    f.texts.fplfile = std::string(trim(installation.pilot_path())) + "\\Flightplan.fpl";
    log_printf("FPLFILE : %s", f.texts.fplfile.c_str());
    log_printf("call read_fpl_0");
    if (std::optional<FlightPlan> plan =
            read_fpl_0(installation, f.texts.fplfile, f.my_tas_0.nunit == -1, flight.texts,
                       flight.language == "FR")) {
        flight.plan = std::move(*plan);
        f.my_tas_0.z_0 = flight.plan.altitudes.start;
        f.my_tas_0.z_fin = flight.plan.altitudes.finish;
        glider.names = flight.plan.glider;
        glider.options = flight.plan.glider_options;
        glider.masses.wmass = flight.plan.water;
        glider.masses.fmass = flight.plan.fixed_mass;
    }
    trace(" FPL_version %d %d\n", flight.plan.task.fpl_vers, installation.condor_version);
    // Version 3 flight plans carry no pressure: the simulator flies the standard one.
    if (flight.plan.task.fpl_vers == 3) flight.plan.weather.pressure = 101325.0;
    log_printf("%s", glider.names.glnam.c_str());
    log_printf("call init_settings_1");
    init_settings_1(flight.pilot_options, f);
    log_printf("call get_vne  %s", glider.names.glnam.c_str());
    // The settings' VNE is in display units, the glider data's in m/s: look the glider
    // up first and fall back to the setting only when it gives none.
    const double vne_setting = f.my_tas_0.vne;
    f.my_tas_0.vne = -10000.0;
    std::string ggg = glider.names.glnam;
    store_glider_values(
        get_vne(ggg, current_glider_values(glider, f), flight.texts, installation.condor_version),
        glider, f);
    settle_vne(f, vne_setting);
}

} // namespace kalveo
