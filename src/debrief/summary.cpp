#include "debrief/summary.h"

#include <algorithm>
#include <cmath>

namespace kalveo::debrief {

namespace {

// Time each sample stands for: up to the next one, pauses left out.
double step_after(const std::vector<KeptSample>& s, std::size_t i) {
    if (i + 1 >= s.size()) return 0.0;
    const double dt = s[i + 1].t - s[i].t;
    return dt > 0.0 && dt <= kLongestStep ? dt : 0.0;
}

void speeds_and_alarms(const std::vector<KeptSample>& s, FlightSummary& out) {
    int level = -1;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double dt = step_after(s, i);
        out.air_distance += s[i].tas * dt;
        if (s[i].tas > out.top_tas) {
            out.top_tas = s[i].tas;
            out.top_tas_vne = s[i].vne > 0.0 ? s[i].tas / s[i].vne : 0.0;
            out.top_tas_at = s[i].t;
            out.top_tas_altitude = s[i].altitude;
        }
        const int now = s[i].alarm_level;
        if (now >= 0 && now <= 3) out.in_level[static_cast<std::size_t>(now)] += dt;
        if (now >= 0 && level < 0) ++out.alarms;
        level = now;
    }
}

void flap_advice(const std::vector<KeptSample>& s, FlightSummary& out) {
    double followed = 0.0;
    int advised = 0;
    double advised_at = 0.0;
    bool pending = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i].flap_advised <= 0) continue;
        out.flaps = true;
        if (s[i].flap_advised != advised) {
            advised = s[i].flap_advised;
            advised_at = s[i].t;
            pending = s[i].flap_set != advised;
        } else if (pending && s[i].flap_set == advised) {
            pending = false;
            const double late = s[i].t - advised_at;
            if (late >= kLateFlapChange) out.late.push_back({advised_at, advised, late});
        }
        if (s[i].circling) continue;
        const double dt = step_after(s, i);
        out.cruise_time += dt;
        if (s[i].flap_set == s[i].flap_advised) followed += dt;
    }
    out.advice_followed = out.cruise_time > 0.0 ? followed / out.cruise_time : 0.0;
}

void thermals_and_glides(const std::vector<KeptSample>& s, FlightSummary& out) {
    double glide_time = 0.0, netto_sum = 0.0;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        const bool circling = i < s.size() && s[i].circling;
        if (i < s.size() && !circling) {
            const double dt = step_after(s, i);
            glide_time += dt;
            netto_sum += s[i].netto * dt;
        }
        if (circling && (i == 0 || !s[i - 1].circling)) begin = i;
        if (!circling && i > 0 && s[i - 1].circling) {
            const KeptSample& a = s[begin];
            const KeptSample& b = s[i - 1];
            if (b.t - a.t >= kShortestThermal)
                out.thermals.push_back(
                    {a.t, b.t, (b.altitude - a.altitude) / (b.t - a.t), b.altitude - a.altitude});
        }
    }
    double time = 0.0, gained = 0.0;
    for (const Thermal& t : out.thermals) {
        time += t.end - t.start;
        gained += t.gained;
    }
    out.thermal_climb = time > 0.0 ? gained / time : 0.0;
    out.glide_netto = glide_time > 0.0 ? netto_sum / glide_time : 0.0;
}

} // namespace

FlightSummary summarise(const KeptFlight& flight) {
    FlightSummary out;
    const auto& s = flight.samples;
    if (s.size() >= 2) out.duration = s.back().t - s.front().t;
    speeds_and_alarms(s, out);
    flap_advice(s, out);
    thermals_and_glides(s, out);
    out.polar_points = static_cast<int>(
        std::count_if(flight.events.begin(), flight.events.end(),
                      [](const KeptEvent& e) { return e.kind == EventKind::polar_point; }));
    return out;
}

} // namespace kalveo::debrief
