#include "flight/elapsed.h"

#include "flight/outputs.h"

namespace kalveo {

namespace {
constexpr int kMsPerDay = 86400000;
}

int ElapsedClock::elapsed(int ms_of_day) {
    if (!origin_) {
        origin_ = ms_of_day;
        return 0;
    }
    int ms = ms_of_day - *origin_;
    if (ms < 0) ms += kMsPerDay;
    return ms;
}

int elapsed_ms() {
    static ElapsedClock clock;
    const FlightOutputs& out = flight_outputs();
    return clock.elapsed(out.ms_of_day ? out.ms_of_day() : 0);
}

} // namespace kalveo
