#include "flight/flap_advice.h"

#include "flight/records.h"
#include "flight/smoothing.h"
#include "glider/records.h"
#include "report/log.h"
#include "report/trace.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace kalveo {

namespace {

int flap_count(const FlightRecords& f) {
    return std::clamp(f.flaps_0.nflap, 0, kMaxFlaps);
}

// Mass ratio of the flap speeds; a mass not known (0) leaves the speeds as they are
// rather than pushing every advice to the landing position.
double mass_ratio(const FlapInputs& in) {
    if (!(in.mmass > 0.0) || !(in.cmass > 0.0)) return 1.0;
    return in.mmass / in.cmass;
}

double speed_factor(const FlapInputs& in, FlapAdviceState& st, double urf, bool by_load_factor) {
    if (!by_load_factor) return std::sqrt(mass_ratio(in));
    follow(st.gforce_m, in.gforce, urf);
    return std::sqrt(mass_ratio(in) / std::max(st.gforce_m, 0.1));
}

int smoothed_position(int nf, double dtc, FlapAdviceState& st, const FlightRecords& f) {
    if (!(st.xfl_moy > 0.0001)) {
        st.xfl_moy = nf;
    } else {
        follow(st.xfl_moy, nf, filter_weight(dtc, f.my_tas_0.tau_f));
    }
    return std::clamp(static_cast<int>(std::lround(st.xfl_moy)), 1, flap_count(f));
}

// A position the simulator reports outside the table is shown by its nearest name.
const std::string& position_name(int n, const FlightRecords& f) {
    return f.flaps_c.cflap[std::clamp(n, 1, flap_count(f))];
}

double flap_volume(const VolumesRecord& volumes) {
    return std::clamp(volumes.sndvol * volumes.flapvol, 0.0, 1.0);
}

void play_call(FlapCall call, const FlightOutputs& out, const VolumesRecord& volumes,
               FlapAdviceState& st) {
    if (out.play_flap_call) out.play_flap_call(call, flap_volume(volumes));
    st.dur_last = flap_call_length(out.sound_lengths, call);
}

int advice_direction(int recommended, int actual, int landing_option) {
    if (recommended > actual && (actual > 1 || landing_option % 2 != 0)) return 1;
    if (recommended < actual) return -1;
    return 0;
}

void sound_advice(int mflap, const FlapInputs& in, FlapAdviceState& st, const FlightOutputs& out,
                  const PilotControls& controls, double max_bank) {
    if (!controls.flap_sounds) return;
    if (!(in.temps > st.temps_flaps_beep + 2.0 + st.dur_last)) return;
    if (!(std::abs(in.bank) < max_bank)) return;
    st.temps_flaps_beep = in.temps;
    if (mflap == 1) play_call(FlapCall::up, out, controls.volumes, st);
    if (mflap == -1) play_call(FlapCall::down, out, controls.volumes, st);
}

} // namespace

int raw_flap_position(double v, const FlightRecords& f) {
    int nf = 1;
    for (int n = 1; n <= flap_count(f); ++n) {
        if (f.flaps_0.vflap100[n] < v) nf = n;
    }
    return nf;
}

void advise_flaps(const FlapInputs& in, FlapAdviceState& st, const FlightOutputs& out,
                  const FlapSettings& flaps, int show_flaps, const PilotControls& controls,
                  FlightRecords& f) {
    if (flap_count(f) < 1) return;
    const double urf = filter_weight(in.dtc, f.my_tas_0.tau_v);
    f.my_tas_0.fmulf = speed_factor(in, st, urf, flaps.scale_by_load_factor);
    const double vequiv = in.ias * f.my_tas_0.fmulf;
    follow(st.v_moy, vequiv, urf);
    const int nf = raw_flap_position(st.v_moy, f);
    const int nfl_moy = smoothed_position(nf, in.dtc, st, f);
    const int nfl_act = f.flaps_0.nfl_act;
    const std::string& flap_c = position_name(show_flaps != 1 ? nfl_moy : nfl_act, f);
    const bool moved = nfl_act != st.nfl_0;

    if (flaps.landing_option >= 2 && moved && nfl_act == 1) {
        play_call(FlapCall::landing, out, controls.volumes, st);
    } else if (moved || nfl_moy != nfl_act) {
        const int mflap = advice_direction(nfl_moy, nfl_act, flaps.landing_option);
        if (out.upd_flp) out.upd_flp(flap_c, mflap);
        sound_advice(mflap, in, st, out, controls, f.my_tas_0.flapmxbank);
    } else {
        if (out.upd_flp) out.upd_flp(flap_c, 0);
        st.dur_last = 0.0;
    }
    st.nfl_0 = nfl_act;

    if (debug_mode()) {
        trace("%8.2f %8.3f %8.4f %8.2f %8.2f %3d %8.2f %3d %3d %3d\n", in.ias, st.gforce_m,
              f.my_tas_0.fmulf, vequiv, st.v_moy, nf, f.flaps_0.vflap100[nf], nfl_moy, nfl_act,
              st.nfl_0);
    }
}

} // namespace kalveo
