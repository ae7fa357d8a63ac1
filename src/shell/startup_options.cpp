#include "shell/startup_options.h"

#include "config/records.h"
#include "flight/records.h"
#include "glider/records.h"
#include "keys/records.h"
#include "sim/records.h"
#include "text/blanks.h"

#include <algorithm>
#include <cmath>

namespace kalveo {

namespace {

constexpr int kPolarHorizonSize = 300;
constexpr int kCentre = 1000002;
constexpr int kQuarterDown = 1000004;
constexpr std::size_t kFontFileLength = 29;
constexpr std::size_t kUnitLength = 9;

void take_window_settings(DisplayOptions& o, bool polar) {
    o.font_size = option.fntsiz;
    o.horizontal_display = std::clamp(option.horizontal, 0, 1);
    o.position_x = option.posx;
    o.position_y = option.posy;
    o.text_opacity = option.txtopa;
    o.number_of_digits = std::clamp(option.numdig, -4, 4);
    o.volume = std::clamp(static_cast<int>(std::lround(100.0 * volumes.sndvol)), 0, 100);
    o.status_mark = option.qrecord ? 1 : (my_tas_0.qnetto ? 2 : 0);
    o.polar_mode = polar;
    o.artificial_horizon = polar ? 1 : option.horizarti;
    o.horizon_size = polar ? kPolarHorizonSize : option.horwid;
    o.horizon_x = polar ? kCentre : option.horposx;
    o.horizon_y = polar ? kQuarterDown : option.horposy;
    o.horizon_opacity = option.horopa;
    o.horizon_transparent_corners = polar ? 0 : option.horbgdtrans;
    o.horizon_font_size = option.horfntsiz;
    o.debug = option.qdebug;
    o.stop_wait = option.stopwait;
    o.keyboard_hook = option.kbdhook;
    o.keyboard_auto_reset = option.kbdautorst;
}

void take_switches(DisplayOptions& o) {
    o.show_vne = option.disvne;
    o.show_va1 = option.disva1;
    o.show_ballast = option.disbal;
    o.show_units = std::clamp(option.disuni, 0, 1);
    o.show_netto = option.disnet;
    o.show_netto_integrator = option.disnet_i;
    o.show_integrator = option.disint_i;
    o.show_stopwatch = option.distim;
    o.show_task_timer = option.distsktim;
    o.show_clock = option.disclk;
    o.show_wall_clock = option.diswalclk;
    o.show_ias = option.disias;
    o.show_tas = option.distas;
    o.show_ground_speed = option.disgs;
    o.show_g_meter = option.disg;
    o.show_slip = option.dissli;
    o.show_heading = option.dishdg;
    o.show_wind = option.diswnd;
    o.north_up = option.northup;
    o.arrow_style = option.arrtyp;
    o.flaps_sound = option.qflap_beep;
}

void take_keys(DisplayOptions& o) {
    o.key_increase = keydef.keyinc;
    o.key_decrease = keydef.keydec;
    o.key_horizon = keydef.keyhor;
    o.key_flaps_sound = keydef.keysfl;
    o.key_integrator = keydef.keyave;
    o.key_netto_integrator = keydef.keyavn;
    o.key_stopwatch = keydef.keytim;
    o.key_task_timer = keydef.keytsktim;
    o.key_sound_up = keydef.keyvup;
    o.key_sound_down = keydef.keyvdn;
    o.key_hud_speed = keydef.keyhuds;
    o.g_reset_scan = keydef_cndr.scngrst;
}

void take_colours(DisplayOptions& o) {
    o.colour_flaps = option.colflap;
    o.colour_ballast = option.colwb;
    o.colour_vne = option.colvne;
    o.colour_va1 = option.colva1;
    o.colour_tas = option.coltas;
    o.colour_ias = option.colias;
    o.colour_ground_speed = option.colgs;
    o.colour_netto = option.colnet;
    o.colour_netto_integrator = option.colavn;
    o.colour_integrator = option.colint;
    o.colour_stopwatch = option.coltim;
    o.colour_task_timer = option.coltsktim;
    o.colour_clock = option.colclk;
    o.colour_g_meter = option.colg;
    o.colour_slip = option.colsli;
    o.colour_heading = option.colhdg;
    o.colour_wind = option.colwnd;
    o.text_background = option.txtbgd;
    o.horizon_background = option.horbgd;
}

} // namespace

DisplayOptions build_display_options() {
    DisplayOptions o;
    const bool polar = misc00.qpolar;
    take_window_settings(o, polar);
    take_switches(o);
    take_keys(o);
    take_colours(o);
    return o;
}

std::string font_file_name() {
    std::string name = std::string(trim(my_tas_c.fntnam)) + ".ttf";
    if (name.size() > kFontFileLength) name.resize(kFontFileLength);
    return name;
}

std::string display_unit_name() {
    std::string unit(trim(my_tas_c.cunit));
    if (unit.size() > kUnitLength) unit.resize(kUnitLength);
    return unit;
}

} // namespace kalveo
