// Telemetry datagrams: the decoder, and the per-packet cycle fed a sequence of them, once as
// the settings say and once in polar mode with a point asked for at every packet. Every value
// handed to the display and the sound must be a number.
// The input is a settings text, then datagrams, separated by 0xFF bytes (a byte the
// simulator never sends): the settings decide units and the displayed values.
#include "config/settings.h"
#include "config/settings_table.h"
#include "flight/cycle.h"
#include "flight/datagram.h"
#include "flight/outputs.h"
#include "flight/records.h"
#include "fuzz_support.h"
#include "glider/records.h"
#include "shell/settings_records.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>

using namespace kalveo;

namespace {

// A flapped glider, as the flight's set-up would find it in the simulator's files.
void set_up_glider(FlightFacts& flight, FlightRecords& f, const Settings&) {
    flight.glider.names.glnam = "LS8neo";
    f.my_tas_0.vne = 280.0 / 3.6;
    flight.glider.masses.rmass = 360;
    flight.glider.masses.mmass = 525;
    flight.glider.masses.balmax = 180;
    f.flaps_0.nflap = 3;
    const double speeds[] = {0, 25, 35, 70};
    const char* names[] = {"", "L", "+5", "0"};
    for (int i = 1; i <= 3; ++i) {
        f.flaps_0.vflap100[i] = speeds[i];
        f.flaps_c.cflap[i] = names[i];
    }
}

void must_be_finite(double value) {
    if (!std::isfinite(value)) std::abort();
}

// Outputs that check what the cycle hands on.
FlightOutputs checking_outputs(double& now) {
    FlightOutputs out;
    out.counter_seconds = [&now] { return now; };
    out.sound_lengths.alarm.fill(0.3);
    out.sound_lengths.flap.fill(0.3);
    out.play_alarm = [](int level, double vol) {
        if (level < 0 || level >= kAlarmLevels) std::abort();
        must_be_finite(vol);
    };
    out.play_flap_call = [](FlapCall, double vol) { must_be_finite(vol); };
    out.upd_ang = [](std::string_view, std::string_view, std::string_view,
                     const InstrumentReading& r, const SpeedTrace& vv, int nbpol, int nbfpl,
                     const PolarTable& vp) {
        for (const double v :
             {r.bank, r.pitch, r.netto, r.climb_average, r.netto_average, r.heading, r.water, r.ias,
              r.ground_speed, r.wind_direction, r.wind_speed, r.yaw_string, r.load_factor,
              r.thermal_turns, r.energy_vario, r.speed_change, r.min_sink_speed})
            must_be_finite(v);
        for (const double v : vv)
            must_be_finite(v);
        if (nbpol < 0 || nbpol > kPolarTableSize || nbfpl < 0 || nbfpl > kPolarTableSize)
            std::abort();
        for (const PolarPoint& p : vp) {
            must_be_finite(p.speed);
            must_be_finite(p.sink);
        }
    };
    return out;
}

void fly(const std::vector<std::string_view>& pieces, bool polar) {
    Settings settings = read_settings_text(pieces.front(), false).settings;
    settings.program.polar = polar;
    hand_settings_to_records(settings);

    double now = 1000.0;
    FlightOutputs out = checking_outputs(now);
    FlightCycle cycle(out, set_up_glider);
    cycle.take_settings(settings);
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::string_view text = datagram_text(pieces[i].data(), pieces[i].size());
        if (text.size() > pieces[i].size() || text.size() > kDatagramMax) std::abort();
        (void)decode_datagram(text);
        now += 0.1;
        if (polar) cycle.request_polar_point();
        (void)cycle.my_tas(pieces[i].data(), pieces[i].size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    const auto pieces = fuzz::split(fuzz::as_text(data, size), '\xff');
    fly(pieces, false);
    fly(pieces, true);
    // Polar mode writes numbered result files in the working folder: none may pile up.
    std::error_code ec;
    std::filesystem::remove_all("Polars", ec);
    return 0;
}
