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

int flag(bool q) {
    return q ? 1 : 0;
}

void fill_window_slots(DisplayOptions& o, bool polar) {
    o[0] = option.fntsiz;
    o[1] = std::clamp(option.horizontal, 0, 1);
    o[4] = flag(option.qdebug);
    o[5] = 2 * option.disva1 + option.disvne;
    o[6] = option.posx;
    o[7] = option.posy;
    o[8] = option.horopa;
    o[9] = polar ? 1 : option.horizarti;
    o[10] = polar ? kPolarHorizonSize : option.horwid;
    o[11] = polar ? kCentre : option.horposx;
    o[12] = polar ? kQuarterDown : option.horposy;
    o[16] = option.txtopa;
    o[17] = option.stopwait;
    o[27] = option.kbdhook;
    o[28] = polar ? 0 : option.horbgdtrans;
    o[52] = option.horfntsiz;
    o[75] = option.kbdautorst;
}

void fill_switch_slots(DisplayOptions& o, bool polar) {
    o[18] = option.disbal;
    o[19] = flag(option.qflap_beep);
    o[20] = std::clamp(option.disuni, 0, 1);
    o[36] = option.disnet;
    o[37] = option.disnet_i;
    o[38] = option.disint;
    o[39] = option.disint_i;
    o[40] = option.dismc;
    o[41] = option.distim;
    o[42] = option.disias;
    o[43] = option.distas;
    o[44] = std::clamp(static_cast<int>(std::lround(100.0 * volumes.sndvol)), 0, 100);
    o[45] = option.dishdg;
    o[46] = option.diswnd;
    o[47] = std::clamp(option.numdig, -4, 4);
    o[50] = option.northup;
    o[51] = option.arrtyp;
    o[57] = option.qrecord ? 1 : (my_tas_0.qnetto ? 2 : 0);
    o[58] = flag(polar);
    o[61] = option.dissli;
    o[63] = option.disg;
    o[66] = option.distsktim;
    o[69] = option.disclk;
    o[71] = option.disgs;
    o[74] = option.diswalclk;
}

void fill_key_slots(DisplayOptions& o) {
    o[2] = keydef.keyinc;
    o[3] = keydef.keydec;
    o[13] = keydef.keyhor;
    o[21] = keydef.keysfl;
    o[31] = keydef.keyave;
    o[33] = keydef.keytim;
    o[34] = keydef.keyvup;
    o[35] = keydef.keyvdn;
    o[59] = keydef.keyavn;
    o[65] = keydef_cndr.scngrst;
    o[68] = keydef.keytsktim;
    o[73] = keydef.keyhuds;
}

void fill_colour_slots(DisplayOptions& o) {
    o[22] = option.colflap;
    o[23] = option.colwb;
    o[24] = option.colvne;
    o[25] = option.colva1;
    o[26] = option.coltas;
    o[29] = option.colwnd;
    o[32] = option.colhdg;
    o[48] = option.txtbgd;
    o[49] = option.horbgd;
    o[53] = option.colias;
    o[54] = option.colnet;
    o[55] = option.colint;
    o[56] = option.coltim;
    o[60] = option.colavn;
    o[62] = option.colsli;
    o[64] = option.colg;
    o[67] = option.coltsktim;
    o[70] = option.colclk;
    o[72] = option.colgs;
}

} // namespace

DisplayOptions build_display_options() {
    DisplayOptions o{};
    const bool polar = misc00.qpolar;
    fill_window_slots(o, polar);
    fill_switch_slots(o, polar);
    fill_key_slots(o);
    fill_colour_slots(o);
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
