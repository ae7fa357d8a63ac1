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
    // What the flight starts from; the flight set-up and the hotkeys change them later.
    my_tas_0.nunit = s.speeds.unit;
    my_tas_c.cunit = s.speeds.unit_name;
    my_tas_0.fconv = s.speeds.unit == kCustomUnit ? s.speeds.custom_factor : 3.6;
    my_tas_0.vne = s.speeds.vne;
    my_tas_0.dv1 = s.speeds.dv1;
    my_tas_0.dv2 = s.speeds.dv2;
    my_tas_0.tau_v = s.speeds.airspeed_time_constant;
    my_tas_0.atmo_mod = s.speeds.atmosphere_model;
    my_tas_0.flapmxbank = s.flaps.sound_max_bank;
    my_tas_0.tau_f = s.flaps.time_constant;
    my_tas_1.qflap_beep = s.flaps.sounds_on;
    misc00.qpolar = s.program.polar;
    volumes.sndvol = s.sound.volume;
    volumes.flapvol = s.sound.flap_volume;
    keydef_cndr.keychato = s.keys.simulator_chat_open;
    inst00.condor_1_path = s.program.condor_1_path;
    inst00.wine_prefix = s.program.wine_prefix;
    cmndta000.text_editor = s.program.text_editor;
    set_debug_mode(s.program.debug);
}

} // namespace kalveo
