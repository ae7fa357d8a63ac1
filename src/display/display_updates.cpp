// What the per-packet core hands to the display: the flight's layout, flap advice, values.
#include "display/display_state.h"
#include "display/whole_numbers.h"
#include "report/log.h"
#include "sim/records.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kalveo {

namespace {

/// Integer part of a value from a datagram; not-a-number shows 0, huge values stop at ±1e9.
int truncated(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(value, -1e9, 1e9));
}

/// Height of the ballast bar (pixels) for a window `height` high; none without capacity.
int ballast_bar(int height, int wmass, int wmass_max) {
    if (wmass_max == 0) return 0;
    return static_cast<int>(static_cast<long long>(height) * wmass / wmass_max);
}

int odd(int value) {
    return (value % 2) != 0 ? 1 : 0;
}

int count_values(const DisplayStateRecord& d) {
    const int count = d.DisUni + d.DisVNE + d.DisVA1 + d.DisNet + d.DisTim + d.DisTskTim +
                      d.DisClk + d.DisWalClk + d.DisInt_I + d.DisIAS + d.DisTAS + d.DisNet_I +
                      d.DisVar + d.DisGS + odd(d.DisBal) + odd(d.DisG) + (d.DisFla != 0 ? 1 : 0);
    return std::max(count, 1);
}

void take_flight_layout(DisplayStateRecord& d, const FlightLayout& layout) {
    d.vne = layout.vne;
    d.status.margin = layout.dv1;
    d.dv2 = layout.dv2;
    d.DisFla = layout.flap_mode;
    d.wmass_max = layout.max_water;
    d.WindDir = static_cast<float>(layout.wind_direction);
    d.WindSpeed = static_cast<float>(layout.wind_speed);
    d.wmass = layout.water;
    d.KeyChatO = layout.chat_open_key;
    d.ScnChatO = layout.chat_open_scan;
    d.ScnBugW = layout.bug_wipe_scan;
    d.ScnGRst = layout.g_meter_reset_scan;
    d.BugWipers = layout.bug_wipers ? 1 : 0;
    d.MinThTurns = static_cast<float>(layout.min_thermal_turns);
}

/// The ballast field is decided again for each flight from the setting: an empty glider hides
/// it (unless the setting is negative, "always"), and a glider without tanks always does.
void decide_ballast_field(DisplayStateRecord& d) {
    d.DisBal = d.BallastSetting;
    if (d.wmass_max == 0 || (d.wmass == 0 && d.DisBal > 0)) d.DisBal = 0;
    d.DisBal = std::abs(d.DisBal);
}

void lay_out_text_window(DisplayStateRecord& d, pCpw cpw) {
    d.numval = count_values(d);
    if (d.HorizontalDisplay == 1) {
        d.numlin = 1;
        d.numcol = d.numval;
    } else {
        d.numlin = d.numval;
        d.numcol = 1;
    }
    d.DisWinInfo.height = ComputeHeight(d);
    if (cpw != nullptr && cpw_gl_ready(cpw) && d.DisWinInfo.id > 0) {
        cpwReshapeWindow(cpw, d.DisWinInfo.width, d.DisWinInfo.height,
                         static_cast<CpwWindowId>(d.DisWinInfo.id));
    }
}

void show_ballast(DisplayStateRecord& d) {
    d.buf_b = int_text(d.wmass);
    d.ywb = ballast_bar(d.DisWinInfo.height, d.wmass, d.wmass_max);
}

void take_polar_data(DisplayStateRecord& d, const InstrumentReading& reading, const SpeedTrace& vv,
                     int nn, int n1, const PolarTable& vp) {
    d.WaitForVelStabil = reading.recording_polar_point ? 1 : 0;
    d.evario = static_cast<float>(reading.energy_vario);
    d.V2Fly = static_cast<float>(reading.speed_change * 10.0);
    d.vmin = static_cast<float>(reading.min_sink_speed);
    for (std::size_t i = 0; i < d.vval.size(); ++i)
        d.vval[i] = static_cast<float>(vv[i]);
    // The counts come from the core; the tables hold no more than their size.
    d.NbPol = std::clamp(nn, 0, kPolarPoints);
    d.NbFpl = std::clamp(n1, 0, kPolarPoints);
    for (int i = 0; i < d.NbFpl; ++i) {
        const PolarPoint& point = vp[static_cast<std::size_t>(i) + 1];
        d.vvpol[static_cast<std::size_t>(i)] = {static_cast<float>(point.speed),
                                                static_cast<float>(point.sink)};
    }
    d.DrawPol = d.NbFpl != 0 ? 1 : 0;
}

} // namespace

int ComputeHeight(const DisplayLook& d) {
    const int height = d.numlin <= 1 ? 2 * d.VertMargin + d.FontSize
                                     : d.numlin * d.FontSize + (d.numlin + 2) * d.VertMargin;
    log_printf("ComputeHeight %d %d %d", d.numlin, d.FontSize, height);
    return height;
}

int UpdVNE(DisplayStateRecord& d, const FlightLayout& layout, std::string_view longest_flap,
           std::string_view unit, InstrumentWindows* windows) {
    take_flight_layout(d, layout);
    if (d.BugWipers != 0 && windows != nullptr) load_bug(*windows);
    decide_ballast_field(d);
    if (d.DisFla == 2) {
        d.ColFlap0 = {1.0F, 0.0F, 0.0F};
        setblinkcolor(d.ColFlap0, d.ColFlap1);
    }
    d.cflapmax = std::string(longest_flap);
    d.cunit = std::string(unit);
    lay_out_text_window(d, windows != nullptr ? windows->cpw : nullptr);
    if (d.DisBal != 0) show_ballast(d);
    d.ChatActive = 0;
    d.GotPlaneData = 1;
    log_printf("UpdVNE %d %d %d %d", d.numval, d.numlin, d.numcol, d.DisWinInfo.height);
    log_printf("vne,dv1,dv2,cunit,iCndr,KeyChatO,ScnChatO %d %d %d %s %d %d %d %d %d", d.vne,
               d.status.margin, d.dv2, d.cunit.c_str(), layout.simulator_version, d.KeyChatO,
               d.ScnChatO, d.Enter, d.NumPadEnter);
    return 0;
}

void show_instrument_status(DisplayReading& d, const InstrumentStatus& status) {
    d.status = status;
}

void UpdFlp(DisplayStateRecord& d, std::string_view flap, int direction) {
    d.cflap = std::string(flap);
    if (direction != d.modflap) d.LastFlapUpdate = display_clock();
    d.modflap = direction;
}

void UpdAng(DisplayStateRecord& d, std::string_view stopwatch, std::string_view task_timer,
            std::string_view clock, const InstrumentReading& reading, const SpeedTrace& speed_trace,
            int recorded_points, int polar_points, const PolarTable& polar) {
    d.status = reading.status;
    d.buf_tim = std::string(stopwatch);
    d.buf_tsktim = std::string(task_timer);
    d.buf_clk = std::string(clock);
    d.bank = static_cast<float>(reading.bank);
    d.pitch = static_cast<float>(reading.pitch);
    d.nvario = static_cast<float>(reading.netto);
    d.ivario_m = static_cast<float>(reading.climb_average);
    d.compass = static_cast<float>(reading.heading);
    d.wmass = truncated(reading.water);
    d.IAS = truncated(reading.ias);
    d.nvario_m = static_cast<float>(reading.netto_average);
    d.WindDir = static_cast<float>(reading.wind_direction);
    d.WindSpeed = static_cast<float>(reading.wind_speed);
    d.slip = static_cast<float>(reading.yaw_string);
    d.gforce = static_cast<float>(reading.load_factor);
    d.GS = truncated(reading.ground_speed);
    d.ThTurns = static_cast<float>(reading.thermal_turns);
    if (d.DisG != 0) {
        d.GMax = std::max(d.GMax, d.gforce);
        d.GMin = std::min(d.GMin, d.gforce);
    }
    if (d.Polar != 0)
        take_polar_data(d, reading, speed_trace, recorded_points, polar_points, polar);
    show_ballast(d);
}

} // namespace kalveo
