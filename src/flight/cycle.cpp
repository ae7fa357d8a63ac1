#include "flight/cycle.h"

#include "config/setting_values.h"
#include "flight/angles.h"
#include "flight/display_round.h"
#include "flight/records.h"
#include "flight/smoothing.h"
#include "flight/vne_alarm.h"
#include "glider/atmosphere.h"
#include "glider/plane_data.h"
#include "report/log.h"
#include "report/trace.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace kalveo {

namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;
constexpr double kGravity = 9.80665;          // m/s2
constexpr double kOneMsInHours = 2.777778e-7; // keeps the first time step from being zero
constexpr double kMinTimeStep = 0.001;        // s
constexpr std::size_t kLoggedDatagramStart = 80;
// The first second of a flight is logged datagram by datagram (a few dozen at most); the
// bound keeps a sender whose clock stands still from filling the log.
constexpr int kLoggedStartPackets = 100;

// The start of a datagram for the log: line ends shown as "/", other control bytes as "?".
std::string printable_start(std::string_view text) {
    std::string out(text.substr(0, kLoggedDatagramStart));
    for (char& c : out) {
        if (c == '\n' || c == '\r') {
            c = '/';
        } else if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126) {
            c = '?';
        }
    }
    return out;
}

// Values headed for the single-precision atmosphere, kept inside its range.
float as_float(double value) {
    return static_cast<float>(std::clamp(value, -1e30, 1e30));
}

void keep(const std::optional<double>& value, double& target) {
    if (value) target = *value;
}

} // namespace

struct FlightCycle::Packet {
    double temps = 0.0;          // wall-clock seconds of the flight
    double bank = 0.0;           // degrees
    double pitch = 0.0;          // degrees
    double fmulatm = 1.0;        // true / indicated airspeed
    double tas = 0.0;            // m/s
    int result = 0;              // true airspeed, display units
    int ias = 0;                 // indicated airspeed, display units
    double tas_xy = 0.0;         // horizontal true airspeed (m/s)
    double vgnd = 0.0;           // ground speed (m/s)
    double heading = 0.0;        // degrees
    double wind_dir = 0.0;       // degrees
    double wind_speed = 0.0;     // display units
    double d_beta = 0.0;         // change of track (rad)
    double dtc = kMinTimeStep;   // time step (s)
    double dtc_c = kMinTimeStep; // time step over two packets (s)
    double dvdt = 0.0;           // change of true airspeed (m/s2)
    double dvdt_c = 0.0;         // the same, centred over two packets
    double vz_comp = 0.0;        // energy-compensated vario (m/s)
    double vz_comp_c = 0.0;
    double vz_comp_m = 0.0;
    double vz_comp_c_m = 0.0;
};

namespace {

// The flight's records as a start-up pass begins: the settings' unit, speeds and filters.
FlightRecords records_from(const Settings& s) {
    FlightRecords r;
    MyTas0Record& a = r.my_tas_0;
    a.nunit = s.speeds.unit;
    a.fconv = s.speeds.unit == kCustomUnit ? s.speeds.custom_factor : 3.6;
    a.vne = s.speeds.vne;
    a.dv1 = s.speeds.dv1;
    a.dv2 = s.speeds.dv2;
    a.tau_v = s.speeds.airspeed_time_constant;
    a.atmo_mod = s.speeds.atmosphere_model;
    a.flapmxbank = s.flaps.sound_max_bank;
    a.tau_f = s.flaps.time_constant;
    r.texts.cunit = s.speeds.unit_name;
    return r;
}

PilotControls controls_from(const Settings& s) {
    PilotControls c;
    c.flap_sounds = s.flaps.sounds_on;
    c.volumes.sndvol = s.sound.volume;
    c.volumes.flapvol = s.sound.flap_volume;
    return c;
}

} // namespace

FlightCycle::FlightCycle(FlightOutputs& out, FlightSetUp set_up)
    : out_(out), set_up_(std::move(set_up)) {
    take_settings(settings_);
}

void FlightCycle::take_settings(const Settings& settings) {
    settings_ = settings;
    controls_ = controls_from(settings);
    records_ = records_from(settings);
}

double FlightCycle::wall_seconds() const {
    return out_.counter_seconds ? out_.counter_seconds() - state_.count_0 : 0.0;
}

int FlightCycle::my_tas(const char* buffer, std::size_t length) {
    const std::string_view text = datagram_text(buffer, length);
    if (held_) {
        log_message_f("MY_TAS : Kalveo not initialized yet");
        return kNotInitialisedResult;
    }
    const TelemetryPacket packet = decode_datagram(text);
    if (!packet.usable()) return state_.last_result;
    if (!records_.condor_started) start_flight(packet);
    if (state_.start_logs > 0 && state_.history.dts < 1.0)
        log_printf("%s", printable_start(text).c_str());

    take_values(packet);
    Packet pk;
    pk.temps = wall_seconds();
    if (debug_mode()) log_printf("temps, tcalc %f %f", pk.temps, state_.sim.tcalc);
    pk.bank = state_.sim.bank * kRadToDeg;
    pk.pitch = state_.sim.pitch * kRadToDeg;
    compute_air_data(pk);
    compute_wind_and_track(pk);
    compute_time_steps(pk);
    run_filters(pk);
    if (settings_.program.polar) record_polar(pk);
    keep_history(pk);
    const SimulatorValues& sim = state_.sim;
    run_averages_and_timers({pk.dtc, sim.tcalc, pk.temps, sim.v, sim.z, sim.nvario_condor},
                            controls_.chrono, records_.my_tas_0.fconv_vz, state_.averages);
    hand_to_display(pk);
    sound_vne_alarm(pk.tas, pk.temps, controls_, records_.my_tas_0, state_.temps_vne, out_);
    if (records_.flaps_0.nflap >= 1) {
        const GggmasRecord& masses = facts_.glider.masses;
        advise_flaps({sim.v, facts_.glider.flown.gforce, pk.bank, pk.dtc, pk.temps, masses.mmass,
                      masses.cmass},
                     state_.flaps, out_, settings_.flaps, settings_.display.show_flaps, controls_,
                     records_);
    }
    if (state_.start_logs > 0 && state_.history.dts < 1.0) {
        log_printf("exit my_tas_func");
        --state_.start_logs;
    } else if (state_.history.dts >= 1.0) {
        state_.start_logs = 0;
    }
    state_.last_result = pk.result;
    return pk.result;
}

void FlightCycle::start_flight(const TelemetryPacket& p) {
    log_printf("QPOLAR %d", settings_.program.polar ? 1 : 0);
    AverageState& av = state_.averages;
    av.tim_c = av.clk_c = av.tsktim_c = "00:00:00";
    state_.count_0 = out_.counter_seconds ? out_.counter_seconds() : 0.0;
    PacketHistory& h = state_.history;
    keep(p.airspeed, h.v_m1);
    // Without a time the flight's clock starts with the first packet that has one.
    h.tcalc_000 = 0.0;
    h.dts = 0.0;
    state_.start_logs = kLoggedStartPackets;
    if (p.time) {
        h.tcalc_000 = *p.time;
        h.tcalc_m1 = *p.time - kOneMsInHours;
    }
    if (p.altitude) h.z_m1 = *p.altitude * records_.my_tas_0.fconv_alt + records_.my_tas_0.z_0;
    trace(" tcalc_000 %f\n", h.tcalc_000);

    if (set_up_) set_up_(facts_, records_, settings_);
    if (settings_.program.polar)
        prepare_polar_flight(state_.polar, facts_.installation, facts_.glider,
                             settings_.program.french);
    log_printf("call init_settings_2");
    init_settings_2(out_, settings_, facts_, records_);
    records_.flaps_0.nfl_act = records_.flaps_0.nflap / 2;
    const double t0 = facts_.plan.zones.thermalstemp[0];
    state_.rho_c_0 = t0 > 0.0 ? facts_.plan.weather.pressure * 0.02896 / 8.314462 / t0 : 0.0;
    records_.condor_started = true;
}

void FlightCycle::take_values(const TelemetryPacket& p) {
    SimulatorValues& sim = state_.sim;
    keep(p.airspeed, sim.v);
    if (p.altitude) sim.z = *p.altitude * records_.my_tas_0.fconv_alt + records_.my_tas_0.z_0;
    keep(p.vx, sim.vx);
    keep(p.vy, sim.vy);
    keep(p.vz, sim.vz);
    if (p.time) {
        sim.tcalc = *p.time;
        // A flight whose first datagram had no time starts its clock here.
        if (state_.history.tcalc_000 <= 0.001) state_.history.tcalc_000 = sim.tcalc;
    }
    if (p.has_evario_key) {
        keep(p.evario, sim.evario);
        records_.my_tas_0.q_e_vario = !facts_.glider.names.glnam.starts_with("SwiftS1");
    } else {
        sim.evario = 0.0;
        records_.my_tas_0.q_e_vario = false;
    }
    if (p.has_nettovario_key) {
        keep(p.nettovario, sim.nvario_condor);
    } else {
        sim.nvario_condor = 0.0;
    }
    keep(p.yaw, sim.yaw);
    if (p.has_compass_key) {
        if (p.compass) {
            sim.compass = *p.compass;
            sim.qcompass = true;
        }
    } else {
        sim.compass = 0.0;
        sim.qcompass = false;
    }
    keep(p.pitch, sim.pitch);
    keep(p.bank, sim.bank);
    keep(p.gforce, facts_.glider.flown.gforce);
    keep(p.yawstringangle, sim.yawstring);
    if (p.flaps) {
        // Any whole number may arrive; the difference must not overflow.
        const long long position = static_cast<long long>(records_.flaps_0.nflap) - *p.flaps;
        records_.flaps_0.nfl_act = static_cast<int>(std::clamp(position, -1000LL, 1000LL));
        records_.my_tas_0.qflap_c = true;
    }
    if (p.mc) {
        facts_.glider.flown.calage = *p.mc;
        records_.my_tas_0.qmc_c = true;
    }
    if (p.water) {
        facts_.glider.masses.wmass = *p.water;
        records_.my_tas_0.qball_c = true;
        update_wl(facts_.glider.masses);
    }
}

void FlightCycle::compute_air_data(Packet& pk) {
    const SimulatorValues& sim = state_.sim;
    const FlightPlan& plan = facts_.plan;
    double& fmulatm = facts_.glider.flown.fmulatm;
    const double factor =
        fmulatm_at(as_float(sim.z), records_.my_tas_0.qatmo_isa,
                   as_float(plan.zones.thermalstemp[0]), as_float(plan.weather.pressure));
    // An altitude far outside the atmosphere must not make the speed infinite.
    if (std::isfinite(factor) && factor > 0.0) fmulatm = factor;
    if (!(fmulatm > 0.0)) fmulatm = 1.0;
    pk.fmulatm = fmulatm;
    pk.tas = sim.v * pk.fmulatm;
    pk.result = display_round(pk.tas * records_.my_tas_0.fconv);
    pk.ias = display_round(sim.v * records_.my_tas_0.fconv);
    // At rest the vertical speed can exceed the airspeed.
    pk.tas_xy = std::sqrt(std::max(pk.tas * pk.tas - sim.vz * sim.vz, 0.0));
    pk.vgnd = std::hypot(sim.vx, sim.vy);
}

void FlightCycle::compute_wind_and_track(Packet& pk) {
    const SimulatorValues& sim = state_.sim;
    PacketHistory& h = state_.history;
    h.beta_m = h.beta;
    if (sim.qcompass) {
        pk.heading = sim.compass;
        const double compd = (90.0 - pk.heading) / kRadToDeg;
        const double tas_x = -std::cos(compd) * pk.tas_xy;
        const double tas_y = std::sin(compd) * pk.tas_xy;
        const double wx = sim.vx - tas_x;
        const double wy = sim.vy - tas_y;
        h.beta = std::atan2(tas_y, tas_x);
        pk.wind_speed = display_round(std::hypot(wx, wy) * records_.my_tas_0.fconv);
        pk.wind_dir = std::atan2(wy, wx) * kRadToDeg - 90.0;
        if (pk.wind_dir < 0.0) pk.wind_dir += 360.0;
    } else {
        h.beta = std::atan2(sim.vy, -sim.vx);
        pk.heading = modang(90.0 - h.beta * kRadToDeg, 0.0);
        pk.wind_dir = modang(facts_.plan.zones.winddir[0] + 180.0, 0.0);
        // The flight plan's wind (m/s), shown in the display unit like the measured one.
        pk.wind_speed = facts_.plan.zones.windspeed[0] * records_.my_tas_0.fconv;
    }
    pk.d_beta = wrap_pi(h.beta - h.beta_m);
}

void FlightCycle::compute_time_steps(Packet& pk) {
    const PacketHistory& h = state_.history;
    const double tcalc = state_.sim.tcalc;
    pk.dtc = std::max((tcalc - h.tcalc_m1) * 3600.0, kMinTimeStep);
    pk.dtc_c = std::max((tcalc - h.tcalc_m2) * 3600.0, kMinTimeStep);
}

void FlightCycle::run_filters(Packet& pk) {
    PacketHistory& h = state_.history;
    const SimulatorValues& sim = state_.sim;
    AverageState& av = state_.averages;
    follow_turns(pk.bank, pk.d_beta, filter_weight(pk.dtc, records_.my_tas_0.tau_bank), av);
    h.dts = (sim.tcalc - h.tcalc_000) * 3600.0;
    if (debug_mode() && std::lround(h.dts * 100.0) % 1000 == 0) {
        log_printf("NETTO AVE %d %f %f - CLIMB AVE %d %f %f", run_number(controls_.chrono.run_nv),
                   av.dt_nv, av.nvario_m, run_number(controls_.chrono.run_iv),
                   pk.temps - av.temps_int_0, av.ivario_m);
    }
    pk.dvdt = (pk.tas - h.tas_m1) / pk.dtc;
    pk.dvdt_c = (pk.tas - h.tas_m2) / pk.dtc_c;
    follow(state_.polar.dvdt_moy, std::abs(pk.dvdt),
           filter_weight(pk.dtc, records_.my_tas_0.tau_vz));
    pk.vz_comp = pk.tas * pk.dvdt / kGravity + sim.vz;
    pk.vz_comp_c = h.tas_m1 * pk.dvdt_c / kGravity + h.vz_m1;
    pk.vz_comp_m = pk.vz_comp / pk.fmulatm;
    pk.vz_comp_c_m = pk.vz_comp_c / pk.fmulatm;
}

void FlightCycle::record_polar(const Packet& pk) {
    const SimulatorValues& sim = state_.sim;
    const PacketHistory& h = state_.history;
    PolarSample s;
    s.tcalc = sim.tcalc;
    s.z = sim.z;
    s.tas = pk.tas;
    s.ias = sim.v;
    s.dvdt = pk.dvdt;
    s.vz_comp = pk.vz_comp;
    s.vz_comp_m = pk.vz_comp_m;
    s.z_m1 = h.z_m1;
    s.tas_m1 = h.tas_m1;
    s.v_m1 = h.v_m1;
    s.vz_comp_c = pk.vz_comp_c;
    s.vz_comp_c_m = pk.vz_comp_c_m;
    record_polar_point(s, state_.polar, out_, records_);
}

void FlightCycle::keep_history(const Packet& pk) {
    PacketHistory& h = state_.history;
    const SimulatorValues& sim = state_.sim;
    h.tas_m2 = h.tas_m1;
    h.tas_m1 = pk.tas;
    h.v_m1 = sim.v;
    h.tcalc_m2 = h.tcalc_m1;
    h.tcalc_m1 = sim.tcalc;
    h.vx_m1 = sim.vx;
    h.vy_m1 = sim.vy;
    h.vz_m1 = sim.vz;
    h.z_m1 = sim.z;
}

void FlightCycle::hand_to_display(const Packet& pk) {
    const SimulatorValues& sim = state_.sim;
    const AverageState& av = state_.averages;
    const double fconv_vz = records_.my_tas_0.fconv_vz;
    InstrumentReading reading;
    reading.bank = pk.bank;
    reading.pitch = pk.pitch;
    reading.netto = fconv_vz * av.nvario;
    reading.climb_average = fconv_vz * av.ivario_m;
    reading.netto_average = av.nv1_m;
    reading.heading = pk.heading;
    reading.water = facts_.glider.masses.wmass;
    reading.ias = pk.ias;
    reading.ground_speed = display_round(records_.my_tas_0.fconv * pk.vgnd);
    reading.wind_direction = pk.wind_dir;
    reading.wind_speed = pk.wind_speed;
    reading.yaw_string = sim.yawstring;
    reading.load_factor = facts_.glider.flown.gforce;
    reading.thermal_turns = std::abs(av.th_turn) / (2.0 * std::numbers::pi);
    reading.status = status();
    PolarState& polar = state_.polar;
    if (settings_.program.polar) {
        fill_polar_display(reading, polar, fconv_vz * sim.evario, pk.dvdt_c, records_);
        follow_speed_trace(sim.v, polar);
    }
    if (out_.upd_ang) {
        out_.upd_ang(av.tim_c, av.tsktim_c, av.clk_c, reading, polar.vval, polar.nbpol, polar.nbfpl,
                     polar.vvpol);
    }
}

} // namespace kalveo
