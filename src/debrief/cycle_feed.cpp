#include "debrief/cycle_feed.h"

#include "flight/records.h"
#include "flight/vne_alarm.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace kalveo::debrief {

namespace {

int flap_positions(const FlightCycle& cycle) {
    return std::clamp(cycle.records().flaps_0.nflap, 0, kMaxFlaps);
}

int advised_position(const FlightCycle& cycle) {
    const double x = cycle.state().flaps.xfl_moy;
    if (flap_positions(cycle) < 1 || !(x > 0.0001)) return 0;
    return std::clamp(static_cast<int>(std::lround(x)), 1, flap_positions(cycle));
}

const char* run_text(RunState run) {
    switch (run) {
    case RunState::running:
        return "running";
    case RunState::stopped:
        return "stopped";
    default:
        return "reset";
    }
}

const char* on_off(bool on) {
    return on ? "on" : "off";
}

std::string volume_text(const InstrumentStatus& before, const InstrumentStatus& after) {
    char text[64];
    const char* way = after.volume > before.volume   ? "volume up"
                      : after.volume < before.volume ? "volume down"
                                                     : "volume";
    std::snprintf(text, sizeof text, "%s: volume %.2f", way, static_cast<double>(after.volume));
    return text;
}

} // namespace

ControlsSeen controls_seen(const FlightCycle& cycle) {
    return {cycle.status(), cycle.records().my_tas_0.qwrpol};
}

FlightHeader header_of(const FlightCycle& cycle, const std::string& started) {
    FlightHeader h;
    // The flight plan's name, as the pilot knows the glider: the glider data's entry may be
    // missing, and then the name is the pilot's answer to the VNE question (often a speed).
    const std::string& planned = cycle.facts().plan.glider.glnam;
    h.glider = !planned.empty() ? planned : cycle.facts().glider.names.glnam;
    h.started = started;
    const MyTas0Record& my_tas_0 = cycle.records().my_tas_0;
    h.speed_unit = my_tas_0.nunit >= 0 && my_tas_0.nunit <= 3 ? my_tas_0.nunit : 0;
    h.vario_knots = my_tas_0.fconv_vz > 1.5;
    h.language = cycle.facts().language;
    for (int n = 1; n <= flap_positions(cycle); ++n)
        h.flaps.push_back(cycle.records().flaps_c.cflap[n]);
    h.polar_mode = cycle.settings().program.polar;
    const PolarState& polar = cycle.state().polar;
    if (polar.qgotpol) {
        for (int n = kReferencePolarFirst; n <= std::min(polar.nbfpl, kPolarTableSize); ++n) {
            const PolarPoint& p = polar.vvpol[static_cast<std::size_t>(n)];
            if (p.speed > 0.0) h.reference_polar.emplace_back(p.speed, p.sink);
        }
    }
    return h;
}

KeptSample sample_of(const FlightCycle& cycle) {
    const CycleState& st = cycle.state();
    const MyTas0Record& my_tas_0 = cycle.records().my_tas_0;
    KeptSample s;
    s.t = st.history.dts;
    s.ias = st.sim.v;
    s.tas = st.history.tas_m1; // the packet just processed
    s.va1 = my_tas_0.va1;
    s.vne = my_tas_0.vne;
    s.altitude = st.sim.z;
    s.vario = st.sim.vz;
    s.netto = st.averages.nvario;
    s.bank = st.sim.bank * 180.0 / std::numbers::pi;
    if (flap_positions(cycle) >= 1) {
        s.flap_set = std::clamp(cycle.records().flaps_0.nfl_act, 1, flap_positions(cycle));
        s.flap_advised = advised_position(cycle);
    }
    const double dv = s.tas - my_tas_0.va1;
    s.alarm_level = cycle.controls().vne_alarm && dv > 0.0 ? alarm_level(dv, my_tas_0.dv2) : -1;
    s.circling = st.averages.th_turn != 0.0; // turns are counted only while circling
    s.netto_average = st.averages.nvario_m;
    s.climb_average = st.averages.ivario_m;
    return s;
}

void CycleFeed::after_packet(const FlightCycle& cycle, FlightKeeper& keeper) {
    const KeptSample s = sample_of(cycle);
    keeper.take_sample(s);
    const PolarState& polar = cycle.state().polar;
    const int taken = std::min(polar.nbpol, kRecordedPolarMax);
    for (; polar_points_ < taken; ++polar_points_) {
        const PolarPoint& p = polar.vvpol[static_cast<std::size_t>(polar_points_ + 1)];
        keeper.take_event({s.t, EventKind::polar_point, 0, p.speed, p.sink, {}});
    }
    if (polar.nbpol < polar_points_) polar_points_ = polar.nbpol; // a new flight
}

void CycleFeed::flap_call(const FlightCycle& cycle, FlapCall call, FlightKeeper& keeper) const {
    static constexpr const char* kCalls[] = {"up", "down", "landing"};
    keeper.take_event({cycle.state().history.dts, EventKind::flap_call, advised_position(cycle),
                       0.0, 0.0, kCalls[static_cast<int>(call)]});
}

void CycleFeed::keys_acted(const FlightCycle& cycle, const ControlsSeen& before, int key_sound,
                           FlightKeeper& keeper) const {
    const InstrumentStatus& was = before.status;
    const InstrumentStatus now = cycle.status();
    const double t = cycle.state().history.dts;
    const auto key = [&](const std::string& text) {
        keeper.take_event({t, EventKind::key, -1, 0.0, 0.0, text});
    };
    if (now.vne_alarm != was.vne_alarm) key(std::string("VNE alarm: ") + on_off(now.vne_alarm));
    if (now.margin != was.margin)
        key(std::string(now.margin > was.margin ? "alarm margin up: " : "alarm margin down: ") +
            std::to_string(now.margin));
    if (now.volume != was.volume || key_sound >= 0) key(volume_text(was, now));
    if (now.flap_sounds != was.flap_sounds)
        key(std::string("flap sounds: ") + on_off(now.flap_sounds));
    if (now.netto_average != was.netto_average)
        key(std::string("netto average: ") + run_text(now.netto_average));
    if (now.climb_average != was.climb_average)
        key(std::string("climb average: ") + run_text(now.climb_average));
    if (now.stopwatch != was.stopwatch) key(std::string("stopwatch: ") + run_text(now.stopwatch));
    if (now.task_timer != was.task_timer)
        key(std::string("task timer: ") + run_text(now.task_timer));
    if (cycle.records().my_tas_0.qwrpol && !before.polar_asked) key("polar point asked");
    if (key_sound >= 0) {
        const std::string way = volume_text(was, now);
        keeper.take_event(
            {t, EventKind::feedback, key_sound, 0.0, 0.0, way.substr(0, way.find(':'))});
    }
}

} // namespace kalveo::debrief
