// shell/settings_records: the settings handed to the parts that still keep them in records.
#pragma once

#include "config/settings_value.h"

namespace kalveo {

/// Copies the settings into the records the parts read them from (the display options,
/// the keys, the link, the sounds and the flight's filters and limits). Start-up calls it
/// once a pass, after reading the file and the command line.
void hand_settings_to_records(const Settings& s);

} // namespace kalveo
