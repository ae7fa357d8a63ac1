// platform/wine_prefix: which Wine prefix the simulator lives in, where it runs under Wine.
// Pilots rarely use the plain ~/.wine: Lutris, Bottles, Steam's Proton, PlayOnLinux and
// CrossOver each keep their prefixes elsewhere. On Windows there is nothing to choose.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalveo {

/// Chooses the prefix that the registry and the drive letters are read from: WINEPREFIX when
/// it is set; else `pinned` (the setting "Wine prefix") when not empty; else, among the
/// prefixes the Wine front-ends keep in the home folder, those holding the simulator's
/// registry key, the one whose simulator log was written last; else ~/.wine. Returns the
/// lines that tell the log what was found and chosen (none on Windows).
[[nodiscard]] std::vector<std::string> settle_wine_prefix(std::string_view pinned);

/// How the choice is made, for the program's usage text (nothing on Windows).
[[nodiscard]] std::vector<std::string> wine_prefix_help();

} // namespace kalveo
