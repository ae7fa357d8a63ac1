#include "debrief/cycle_feed.h"

#include "flight/records.h"
#include "flight/vne_alarm.h"

#include <algorithm>
#include <cmath>
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

} // namespace

FlightHeader header_of(const FlightCycle& cycle, const std::string& started) {
    FlightHeader h;
    h.glider = cycle.facts().glider.names.glnam;
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

} // namespace kalveo::debrief
