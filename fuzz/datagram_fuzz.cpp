// Telemetry datagrams: the decoder, and the per-packet cycle fed a sequence of them.
// The input is a settings text, then datagrams, separated by 0xFF bytes (a byte the
// simulator never sends): the settings decide units, polar mode and the displayed values.
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

using namespace kalveo;

namespace {

// A flapped glider, as the flight's set-up would find it in the simulator's files.
void set_up_glider() {
    ggg001.glnam = "LS8neo";
    my_tas_0.vne = 280.0 / 3.6;
    gggmas.rmass = 360;
    gggmas.mmass = 525;
    gggmas.balmax = 180;
    flaps_0.nflap = 3;
    const double speeds[] = {0, 25, 35, 70};
    const char* names[] = {"", "L", "+5", "0"};
    for (int i = 1; i <= 3; ++i) {
        flaps_0.vflap100[i] = speeds[i];
        flaps_c.cflap[i] = names[i];
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    fuzz::reset_records();
    my_tas_1.kalveo_init = true;
    const auto pieces = fuzz::split(fuzz::as_text(data, size), '\xff');

    hand_settings_to_records(read_settings_text(pieces.front(), false).settings);

    double now = 1000.0;
    FlightOutputs out;
    out.counter_seconds = [&now] { return now; };
    out.ms_of_day = [&now] { return static_cast<int>(std::fmod(now, 86400.0) * 1000.0); };
    out.sound_lengths.alarm.fill(0.3);
    out.sound_lengths.flap.fill(0.3);
    FlightCycle cycle(out, set_up_glider);
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::string_view text = datagram_text(pieces[i].data(), pieces[i].size());
        if (text.size() > pieces[i].size() || text.size() > kDatagramMax) std::abort();
        (void)decode_datagram(text);
        now += 0.1;
        (void)cycle.my_tas(pieces[i].data(), pieces[i].size());
    }
    return 0;
}
