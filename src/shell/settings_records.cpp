#include "shell/settings_records.h"

#include "config/records.h"
#include "config/setting_values.h"
#include "flight/records.h"
#include "glider/records.h"
#include "keys/records.h"
#include "link/records.h"
#include "report/records.h"
#include "sim/records.h"
#include "sound/records.h"

namespace kalveo {

namespace {

void hand_display(const DisplaySettings& d) {
    OptionRecord& o = option;
    o.posx = d.text_x;
    o.posy = d.text_y;
    o.fntsiz = d.font_size;
    o.horizontal = d.horizontal;
    o.horfntsiz = d.horizon_font_size;
    o.disnet = d.show_netto;
    o.disnet_i = d.show_netto_average;
    o.disint_i = d.show_climb_average;
    o.distim = d.show_stopwatch;
    o.disias = d.show_ias;
    o.distas = d.show_tas;
    o.dishdg = d.show_heading;
    o.diswnd = d.show_wind;
    o.disfla = d.show_flaps;
    o.northup = d.north_up;
    o.disvne = d.show_vne;
    o.disva1 = d.show_va1;
    o.disbal = d.show_ballast;
    o.disuni = d.show_units;
    o.horizarti = d.horizon;
    o.horposx = d.horizon_x;
    o.horposy = d.horizon_y;
    o.horwid = d.horizon_size;
    o.horopa = d.horizon_opacity;
    o.txtopa = d.text_opacity;
    o.colflap = d.colour_flaps;
    o.colwb = d.colour_ballast;
    o.colvne = d.colour_vne;
    o.colva1 = d.colour_va1;
    o.coltas = d.colour_tas;
    o.colhdg = d.colour_heading;
    o.colwnd = d.colour_wind;
    o.colias = d.colour_ias;
    o.colnet = d.colour_netto;
    o.colint = d.colour_climb_average;
    o.coltim = d.colour_stopwatch;
    o.colavn = d.colour_netto_average;
    o.distsktim = d.show_task_timer;
    o.coltsktim = d.colour_task_timer;
    o.disclk = d.show_clock;
    o.diswalclk = d.show_wall_clock;
    o.colclk = d.colour_clock;
    o.horbgd = d.colour_horizon_corners;
    o.txtbgd = d.colour_text_background;
    o.horbgdtrans = d.horizon_corners_transparent;
    o.numdig = d.vario_digits;
    o.arrtyp = d.arrow_style;
    o.dissli = d.show_slip;
    o.colsli = d.colour_slip;
    o.disg = d.show_load_factor;
    o.colg = d.colour_load_factor;
    o.colgs = d.colour_ground_speed;
    o.disgs = d.show_ground_speed;
    o.minthturns = d.bug_wipe_turns;
    o.qbugwrn = d.bug_wipe_turns >= 1;
    my_tas_c.fntnam = d.font_name;
}

void hand_keys(const KeySettings& k) {
    keydef.keyinc = k.raise_margin;
    keydef.keydec = k.lower_margin;
    keydef.keyhor = k.horizon;
    keydef.keysfl = k.flap_sounds;
    keydef.keyavn = k.netto_average;
    keydef.keyvup = k.volume_up;
    keydef.keyvdn = k.volume_down;
    keydef.keyave = k.climb_average;
    keydef.keytim = k.stopwatch;
    keydef.keytsktim = k.task_timer;
    keydef.keyhuds = k.hud_speed;
    keydef_cndr.keychato = k.simulator_chat_open;
    option.kbdhook = k.watch;
    option.kbdautorst = k.watch_restart_minutes;
}

void hand_flight(const Settings& s) {
    option.nunit = s.speeds.unit;
    my_tas_c.cunit = s.speeds.unit_name;
    my_tas_0.fconv = s.speeds.unit == kCustomUnit ? s.speeds.custom_factor : 3.6;
    my_tas_0.vne = s.speeds.vne;
    my_tas_0.dv1 = s.speeds.dv1;
    my_tas_0.dv2 = s.speeds.dv2;
    my_tas_0.tau_v = s.speeds.airspeed_time_constant;
    my_tas_0.atmo_mod = s.speeds.atmosphere_model;
    option.qflap_beep = s.flaps.sounds_on;
    option.qflap_g = s.flaps.scale_by_load_factor;
    my_tas_0.flapmxbank = s.flaps.sound_max_bank;
    my_tas_0.tau_f = s.flaps.time_constant;
    option.lndopt = s.flaps.landing_option;
    beeps.snddev = s.sound.device;
    volumes.sndvol = s.sound.volume;
    volumes.flapvol = s.sound.flap_volume;
    misc00.qpolar = s.program.polar;
    my_tas_0.qnetto = s.program.netto_switch;
    my_tas_0.t_netto = s.program.netto_hours;
}

void hand_program(const ProgramSettings& p, const LinkSettings& link) {
    my_tas_1.numver_fich = p.file_version;
    option.qauto_upd = p.auto_update;
    cmndta000.text_editor = p.text_editor;
    inst00.condor_1_path = p.condor_1_path;
    option.stopwait = p.stop_wait;
    option.qdebug = p.debug;
    option.qrecord = p.record;
    communic_0.udp_port = link.port;
    communic_0.fwd_port = link.forward_port;
    communic_c.fwd_addr = link.forward_address;
}

} // namespace

void hand_language_to_records(const ProgramSettings& p) {
    my_tas_c.lang = p.language;
    option.nlang = p.language_number;
    cmndta001.qfr = p.french;
}

void hand_settings_to_records(const Settings& s) {
    hand_display(s.display);
    hand_keys(s.keys);
    hand_flight(s);
    hand_program(s.program, s.link);
}

} // namespace kalveo
