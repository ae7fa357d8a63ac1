#include "config/defaults.h"

#include "config/records.h"
#include "flight/records.h"
#include "glider/records.h"
#include "keys/records.h"
#include "link/records.h"
#include "report/records.h"
#include "sim/records.h"
#include "sound/records.h"

namespace kalveo {
namespace {

// "Not set" marker of the alarm speeds; the flight set-up supplies defaults by unit.
constexpr double kUnsetSpeed = -10000.0;
// "Not set" marker of the flap-sound bank limit; the settings reader turns it into 15 or 90.
constexpr double kUnsetFlapBank = -15.0;

// The display unit is km/h until the settings or the simulator say otherwise.
void reset_units() {
    init_fconv();
    option.nunit = 0;
    my_tas_0.fconv = misc00.fconv_def[0];
    my_tas_c.cunit = my_tas_c.cunit_def[0];
    my_tas_0.fconv_alt = 1.0;
    my_tas_0.fconv_vz = 1.0;
    my_tas_0.atmo_mod = 0;
    option.qfe = false;
    my_tas_0.z_0 = 0.0;
}

void reset_alarm_and_flap_limits() {
    my_tas_0.vne = kUnsetSpeed;
    my_tas_0.dv1 = kUnsetSpeed;
    my_tas_0.dv2 = kUnsetSpeed;
    my_tas_0.flapmxbank = kUnsetFlapBank;
    my_tas_1.vne_act = true;
    option.qflap_g = false;
    option.qflap_beep = false;
    option.lndopt = 0;
    beeps.snddev = -1;
    volumes.sndvol = 0.5;
    volumes.flapvol = 0.5;
}

void reset_keys() {
    keydef.keyinc = 73;    // I
    keydef.keydec = 85;    // U
    keydef.keyhor = 79;    // O
    keydef.keysfl = 77;    // M
    keydef.keyavn = 54;    // 6
    keydef.keyvup = 56;    // 8
    keydef.keyvdn = 55;    // 7
    keydef.keyave = 57;    // 9
    keydef.keytim = 48;    // 0
    keydef.keytsktim = 53; // 5
    keydef.keyhuds = 60;
    keydef_cndr.scnchatc = 28; // Enter
    keydef_cndr.scnchato = 0;
    keydef_cndr.keychato = 0;
    keydef_cndr.scngrst = 0;
}

void reset_windows() {
    my_tas_c.fntnam = "arialbd";
    option.fntsiz = 24;
    option.horfntsiz = 0;
    option.horizontal = 1;
    option.txtopa = 255;
    option.posx = 1000003; // right
    option.posy = 1000001; // top
    option.horizarti = 0;
    option.horposx = 1000002; // centre
    option.horposy = 1000001; // top
    option.horwid = 150;
    option.horbgdtrans = 1;
    option.horopa = 255;
    option.numdig = 1;
    option.northup = 1;
    option.arrtyp = 1;
}

void reset_display_switches() {
    option.disvne = 1;
    option.disva1 = 1;
    option.disuni = 1;
    option.disfla = 1;
    option.disint = 1;
    option.dismc = 1;
    option.disias = 1;
    option.distas = 1;
    option.dishdg = 3;
    option.diswnd = 3;
    option.disnet = 0;
    option.disnet_i = 0;
    option.disint_i = 0;
    option.distim = 0;
    option.distsktim = 0;
    option.disclk = 0;
    option.diswalclk = 0;
    option.dissli = 0;
    option.disg = 0;
    option.disgs = 0;
    option.disbal = 0;
    option.minthturns = 0;
    option.qbugwrn = false;
}

void reset_colours() {
    option.colflap = 0x00007F;
    option.colwb = 0x00FFFF;
    option.colvne = 0x0000FF;
    option.colva1 = 0xFF00FF;
    option.coltas = 0x000000;
    option.colhdg = 0xFF7F00;
    option.colwnd = 0x0000FF;
    option.colias = 0x7F007F;
    option.colint = 0x7F3F00;
    option.colnet = 0x7F7F7F;
    option.coltim = 0x000000;
    option.colavn = 0x7F3F00;
    option.colg = 0xFF7FFF;
    option.colsli = 0xFF4000;
    option.coltsktim = 0x007F00;
    option.colgs = 0x873E23;
    option.colclk = 0x000000;
    option.horbgd = 0x82B4E6;
    option.txtbgd = 0x82B4E6;
}

void reset_program_behaviour() {
    option.kbdhook = 1;
    option.kbdautorst = 0;
    option.stopwait = 0;
    option.q_sp2fly = false;
    option.qrecord = false;
    option.qdebug = false;
    option.qauto_upd = false;
    misc00.qpolar = false;
    my_tas_0.qnetto = false;
    my_tas_0.t_netto = 0.1;
    my_tas_0.qwrpol = false;
    my_tas_1.kalveo_init = false;
    my_tas_1.numver_fich = 0;
    my_tas_3.x_cal = 0.0;
    my_tas_3.y_cal = 0.0;
    my_tas_c.lang = "";
    // The language detection sets it again on every pass.
    cmndta001.qfr = false;
    cmndta001.qline = false;
    cmndta000.text_editor = "notepad";
    communic_0.udp_port = 55278;
    communic_0.fwd_port = 0;
    communic_c.fwd_addr = "127.0.0.1";
}

void reset_flight() {
    chrono.run_nv = -1;
    chrono.run_iv = 0;
    chrono.run_tim = 0;
    chrono.run_tsktim = -1;
    gggmas = GggmasRecord{};
    gggpol.calage = 0.0;
    flaps_0.nflap = 0;
    flaps_0.vflap.fill(0.0);
    flaps_c.cflap.fill("");
    my_tas_c.fplfile = "";
    rd_fpl_6.qpda = true;
}

void reset_simulator() {
    inst00.icndr = 2;
    inst00.qc1 = false;
    inst00.qc2 = false;
    inst00.qc3 = false;
    inst00.condor_1_path = "";
    inst00.wine_prefix = "";
}

} // namespace

void apply_builtin_defaults() {
    reset_units();
    reset_alarm_and_flap_limits();
    reset_keys();
    reset_windows();
    reset_display_switches();
    reset_colours();
    reset_program_behaviour();
    reset_flight();
    reset_simulator();
    const AlarmSpeeds speeds = alarm_speeds(my_tas_0.vne, my_tas_0.dv1, my_tas_0.dv2);
    my_tas_0.va1 = speeds.va1;
    my_tas_0.va2 = speeds.va2;
}

} // namespace kalveo
