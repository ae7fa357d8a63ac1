#include "shell/settings_records.h"

#include "config/records.h"
#include "config/setting_values.h"
#include "flight/records.h"
#include "glider/records.h"
#include "report/log.h"
#include "sim/records.h"

namespace kalveo {

void hand_settings_to_records(const Settings& s) {
    set_debug_mode(s.program.debug);
}

} // namespace kalveo
