// config/setup_ini: the simulator's pilot options file (Setup.ini in the pilot's folder).
#pragma once

#include "config/records.h"

#include <string_view>

namespace kalveo {

/// What read_settings found: `status` 0 on success, else non-zero (file missing or
/// unreadable).
struct SetupIniRead {
    int status = 0;
    Rdstng00Record options;
};

/// Reads the units, the altimeter setting and the averager time constant of the
/// simulator's Setup.ini (a simulator path such as "C:\...\Setup.ini").
[[nodiscard]] SetupIniRead read_settings(std::string_view fich, bool qdebug);

/// The [Options] values of a Setup.ini's whole text.
[[nodiscard]] Rdstng00Record parse_setup_text(std::string_view text);

} // namespace kalveo
