#include "flight/display_round.h"

#include <algorithm>
#include <cmath>

namespace kalveo {

int display_round(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::lround(std::clamp(value, -1e9, 1e9)));
}

} // namespace kalveo
