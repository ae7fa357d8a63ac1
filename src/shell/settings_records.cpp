#include "shell/settings_records.h"

#include "config/records.h"
#include "config/setting_values.h"
#include "flight/records.h"
#include "glider/records.h"
#include "report/log.h"
#include "report/records.h"
#include "sim/records.h"

namespace kalveo {

void hand_language_to_records(const ProgramSettings& p) {
    my_tas_c.lang = p.language;
    cmndta001.qfr = p.french;
}

void hand_settings_to_records(const Settings& s) {
    cmndta000.text_editor = s.program.text_editor;
    set_debug_mode(s.program.debug);
}

} // namespace kalveo
