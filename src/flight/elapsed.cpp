#include "flight/elapsed.h"

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

} // namespace kalveo
