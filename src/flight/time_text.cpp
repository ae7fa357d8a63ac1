#include "flight/time_text.h"

#include <cmath>
#include <cstdio>

namespace kalveo {

std::string hours_text(double hours) {
    if (!std::isfinite(hours)) return "00:00:00";
    if (hours < 0.0) hours = std::fmod(hours, 24.0) + 24.0;
    if (hours > 1000.0) hours = 1000.0;
    const long total = std::lround(hours * 3600.0);
    const long h = total / 3600;
    const long m = total / 60 % 60;
    const long s = total % 60;
    char text[64];
    if (h > 99) {
        std::snprintf(text, sizeof text, "**:%02ld:%02ld", m, s);
    } else {
        std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", h, m, s);
    }
    return text;
}

} // namespace kalveo
