// config/setting_values: window positions, percentages and speed units in their settings-file form.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalveo {

// Window position codes; any other number is a pixel coordinate.
inline constexpr int kPosStart = 1000001;
inline constexpr int kPosCentre = 1000002;
inline constexpr int kPosEnd = 1000003;

/// The position of "L" or "T" (start), "C" (centre), "R" or "B" (end), or a whole number of
/// pixels; nothing for other texts.
[[nodiscard]] std::optional<int> parse_position(std::string_view text);

/// parse_position; a text that is no position is logged and gives the start.
[[nodiscard]] int b2pos(std::string_view text);

/// "L", "C", "R" for the three codes, else the number (horizontal or vertical alike; they
/// read back as top, centre and bottom).
[[nodiscard]] std::string pos2b(int pos);

/// As pos2b, with "T" and "B" for a vertical position.
[[nodiscard]] std::string pos2b_vertical(int pos);

/// Opacity level 0..255 of a percentage: 0..100 scale (rounded half away from zero),
/// anything else gives fully opaque 255.
[[nodiscard]] int percent_to_level(double percent);

/// The percentage of an opacity level 0..255, rounded.
[[nodiscard]] int level_to_percent(int level);

/// A display speed unit as the settings give it.
struct SpeedUnit {
    /// -1 taken from the simulator, 0 kmh, 1 kts, 2 mph, 3 kFpf, 4 custom.
    int nunit = 0;
    /// Unit name shown (custom units: the name before "=", at most 40 characters).
    std::string name;
    /// Factor from m/s to a custom unit; 0 for the others.
    double factor = 0.0;
};

inline constexpr int kCustomUnit = 4;

/// "AUTO", "kmh", "kph", "kts", "mph", "fpf" (exactly, case included), or a custom unit
/// written as name "=" factor (or a bare factor) with a factor above 0. Nothing when a
/// custom unit's factor is unreadable or not above 0.
[[nodiscard]] std::optional<SpeedUnit> parse_unit(std::string_view text);

/// The settings text of a unit, which parse_unit reads back as the same unit.
[[nodiscard]] std::string unit_text(int nunit, std::string_view custom_name, double factor);

} // namespace kalveo
