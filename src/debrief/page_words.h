// debrief/page_words: the words of the flight page in the pilot's language.
#pragma once

#include <string>
#include <string_view>

namespace kalveo::debrief {

/// The word for `key` in language "EN", "FR" or "DE" (English for any other).
[[nodiscard]] std::string_view page_word(std::string_view key, std::string_view language);

/// The pilot's units: speeds, climb rates and heights as the instrument shows them.
struct PageUnits {
    double speed = 3.6; ///< display speed units per m/s
    std::string speed_name = "km/h";
    double climb = 1.0; ///< display climb units per m/s
    std::string climb_name = "m/s";
    double height = 1.0; ///< display height units per m
    std::string height_name = "m";
    double distance = 0.001; ///< display distance units per m
    std::string distance_name = "km";
};

/// Units of speed unit `speed_unit` (0 km/h, 1 kt, 2 mph, 3 kFpf) with the climb in knots or m/s.
[[nodiscard]] PageUnits page_units(int speed_unit, bool vario_knots);

} // namespace kalveo::debrief
