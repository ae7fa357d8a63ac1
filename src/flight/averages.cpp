#include "flight/averages.h"

#include "flight/records.h"
#include "flight/smoothing.h"
#include "flight/time_text.h"

#include <cmath>

namespace kalveo {

namespace {

constexpr double kGravity = 9.80665;        // m/s2
constexpr double kCirclingBank = 20.0;      // degrees
constexpr double kStraightFlightBank = 6.0; // degrees
// A longer step is the simulator's clock jumping (a new flight, a stray time), not flight
// the netto average saw.
constexpr double kLongestNettoStep = 600.0; // s

bool finite(double a, double b, double c) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

void run_netto_average(const AverageInputs& in, RunState run, double fconv_vz, AverageState& st) {
    st.nvario = in.nvario;
    if (run == RunState::reset) {
        st.som_nv = 0.0;
        st.dt_nv = 0.0;
        st.nvario_m = 0.0;
    } else if (std::abs(st.bank_moy) < kStraightFlightBank && in.dtc <= kLongestNettoStep) {
        st.som_nv += (st.nvario + st.nvario_m1) / 2.0 * in.dtc;
        st.dt_nv += in.dtc;
        st.nvario_m = st.som_nv / st.dt_nv;
        // An average gone non-finite starts again with the next packet.
        if (!finite(st.som_nv, st.dt_nv, st.nvario_m)) st.som_nv = st.dt_nv = st.nvario_m = 0.0;
    }
    st.nvario_m1 = st.nvario;
    if (run == RunState::running) {
        st.nv1_m = fconv_vz * st.nvario_m;
    } else if (run == RunState::stopped) {
        st.nv1_m = st.som_nv;
    } else {
        st.nv1_m = 0.0;
    }
}

void run_climb_average(const AverageInputs& in, RunState& run, AverageState& st) {
    const double e = energy_height(in.v, in.z);
    // An average gone non-finite starts again from here, as a reset would.
    if (run == RunState::reset || !finite(st.alt_int_0, st.temps_int_0, st.ivario_m)) {
        st.temps_int_0 = in.temps;
        st.alt_int_0 = e;
        st.ivario_m = 0.0;
        if (run == RunState::reset) run = RunState::running;
    } else if (run == RunState::running) {
        // The average needs some time behind it; until then it stays where it was.
        const double elapsed = in.temps - st.temps_int_0;
        if (elapsed > 0.0) st.ivario_m = (e - st.alt_int_0) / elapsed;
    }
}

void run_stopwatch(const AverageInputs& in, RunState& run, AverageState& st) {
    if (run == RunState::reset) {
        st.t0_tim = in.tcalc;
        run = RunState::running;
    }
    if (run == RunState::running) st.tim_c = hours_text(in.tcalc - st.t0_tim);
}

void run_task_timer(const AverageInputs& in, RunState run, AverageState& st) {
    if (run != st.run_tsktim_old) {
        if (run == RunState::reset) st.tsktim_c = "00:00:00";
        if (run == RunState::running) st.t0_tsktim = in.tcalc;
    }
    st.run_tsktim_old = run;
    if (run == RunState::running) st.tsktim_c = hours_text(in.tcalc - st.t0_tsktim);
}

} // namespace

void follow_turns(double bank, double d_beta, double urf, AverageState& st) {
    follow(st.bank_moy, bank, urf);
    if (std::abs(st.bank_moy) > kCirclingBank) {
        st.th_turn += d_beta;
        if (!std::isfinite(st.th_turn)) st.th_turn = 0.0;
    } else {
        st.th_turn = 0.0;
    }
}

double energy_height(double v, double z) {
    return v * v / (2.0 * kGravity) + z;
}

void run_averages_and_timers(const AverageInputs& in, ChronoRecord& runs, double fconv_vz,
                             AverageState& st) {
    run_netto_average(in, runs.run_nv, fconv_vz, st);
    run_climb_average(in, runs.run_iv, st);
    run_stopwatch(in, runs.run_tim, st);
    run_task_timer(in, runs.run_tsktim, st);
    st.clk_c = hours_text(in.tcalc);
}

} // namespace kalveo
