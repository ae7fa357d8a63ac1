// config/setup_ini: the simulator's pilot options file (Setup.ini in the pilot's folder).
#pragma once

#include <string_view>

namespace kalveo {

/// Reads the units, the altimeter setting and the averager time constant of the
/// simulator's Setup.ini (a simulator path such as "C:\...\Setup.ini") into rdstng00.
/// Returns 0 on success, else a non-zero status (file missing or unreadable).
int read_settings(std::string_view fich, bool qdebug);

/// Takes the [Options] values of a Setup.ini's whole text into rdstng00.
void parse_setup_text(std::string_view text);

} // namespace kalveo
