// glider/vne_lookup: the glider's VNE for the flight, from the glider data
// file or from the pilot.
#pragma once

#include "config/records.h"
#include "glider/glider_data.h"

#include <optional>
#include <string>
#include <string_view>

namespace kalveo {

/// Attempts before the program gives up asking; the first ones use an input
/// box, the later ones the console.
inline constexpr int kVneAttempts = 10;
inline constexpr int kVneBoxAttempts = 5;

/// An answer to the glider prompt as the name it stands for: control
/// characters blanked, cut to 32 characters, trailing blanks removed.
[[nodiscard]] std::string clean_glider_answer(std::string_view answer);

/// A VNE typed in place of the glider name (km/h), when the text is one.
[[nodiscard]] std::optional<double> typed_vne(std::string_view text);

/// The VNE (m/s) for glider `ggg` (the flight plan's name; in/out), applied to
/// `values` (the values in force) and returned with them: from the glider's
/// entry in the glider data file, which also gives the ballast, masses and
/// flaps, as it stands for the simulator's version `cndrvers`; else the pilot
/// is told the glider is not listed (with the language's `texts`) and asked for
/// its name or its VNE in km/h. The returned glnam is the matching entry's
/// name, else the pilot's answer. Stops the program after kVneAttempts
/// unanswered attempts.
[[nodiscard]] GliderValues get_vne(std::string& ggg, GliderValues values,
                                   const MessagesRecord& texts, int cndrvers);

} // namespace kalveo
