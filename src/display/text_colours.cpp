#include "display/text_colours.h"

#include <cmath>

namespace kalveo {

bool flap_advice_blinking(const DisplayStateRecord& s, double now) {
    if (s.modflap == 0) return false;
    // Bank in whole degrees, as the pilot reads it; a broken value never counts as level.
    const double bank = std::abs(std::trunc(static_cast<double>(s.bank)));
    if (!(bank < s.FlapMxBank)) return false;
    return now - s.LastFlapUpdate < s.MaxBlink;
}

RgbF flap_colour(const DisplayStateRecord& s, double now) {
    return flap_advice_blinking(s, now) && s.blink == 1 ? s.ColFlap1 : s.ColFlap0;
}

RgbF flap_text_colour(const DisplayStateRecord& s, double now) {
    if (s.DisFla != 2) return s.ColFlap0;
    return s.modflap != 0 ? flap_colour(s, now) : kFlapsInPlaceGreen;
}

RgbF netto_average_colour(const DisplayStateRecord& s) {
    return s.status.netto_average == RunState::reset ? s.ColAvN0 : s.ColAvN1;
}

RgbF integrator_colour(const DisplayStateRecord& s) {
    return s.status.climb_average == RunState::running ? s.ColInt1 : s.ColInt0;
}

} // namespace kalveo
