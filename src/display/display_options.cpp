#include "display/display_options.h"

#include "display/display_state.h"
#include "text/number_read.h"

#include <cstddef>

namespace kalveo {

namespace {

constexpr int kStandardHorizon = 2;

int at(const DisplayOptions& opt, std::size_t slot) {
    return opt[slot];
}

void take_layout(const DisplayOptions& opt) {
    DisplayStateRecord& s = display_state;
    s.FontSize = at(opt, 0);
    s.HorizontalDisplay = at(opt, 1);
    s.Debug = at(opt, 4);
    s.DisVNE = at(opt, 5) % 2;
    s.DisVA1 = at(opt, 5) / 2;
    s.DisWinX = at(opt, 6);
    s.DisWinY = at(opt, 7);
    s.HorOpac = at(opt, 8);
    s.HorTranslu = at(opt, 8) < 255 ? 1 : 0;
    if (at(opt, 9) == 1 || at(opt, 9) == kStandardHorizon) {
        s.DrawHorizon = 1;
        s.StdHorizon = at(opt, 9) == kStandardHorizon ? 1 : 0;
    }
    s.HorWinInfo.width = at(opt, 10);
    s.HorWinInfo.height = at(opt, 10);
    s.HorWinX = at(opt, 11);
    s.HorWinY = at(opt, 12);
    s.TxtOpa = at(opt, 16);
    s.StopWait = at(opt, 17);
    s.ConfirmStop = s.StopWait >= 0 ? 1 : 0;
    s.HorBgdTransp = at(opt, 28);
    s.HorFontSize = at(opt, 52);
    s.KbdAutoRst = at(opt, 75);
    s.KbdHookEnabled = at(opt, 27);
}

void take_switches(const DisplayOptions& opt) {
    DisplayStateRecord& s = display_state;
    s.DisBal = at(opt, 18);
    s.FlapSound = at(opt, 19);
    s.DisUni = at(opt, 20);
    s.DisNet = at(opt, 36);
    s.DisNet_I = at(opt, 37);
    s.DisInt_I = at(opt, 39);
    s.DisTim = at(opt, 41);
    s.DisIAS = at(opt, 42);
    s.DisTAS = at(opt, 43);
    s.SndVol = static_cast<float>(at(opt, 44) * 0.01);
    s.DisHDG = at(opt, 45);
    s.DisWND = at(opt, 46);
    s.NumDig = at(opt, 47);
    s.NorthUp = at(opt, 50);
    s.ArrTyp = at(opt, 51);
    s.Nrec = at(opt, 57);
    s.Polar = at(opt, 58);
    if (s.Polar != 0) s.DisVar = 1;
    s.DisSli = at(opt, 61);
    s.DisG = at(opt, 63);
    s.DisTskTim = at(opt, 66);
    s.DisClk = at(opt, 69);
    s.DisGS = at(opt, 71);
    s.DisWalClk = at(opt, 74);
}

void take_keys(const DisplayOptions& opt) {
    DisplayStateRecord& s = display_state;
    s.KeyInc = at(opt, 2);
    s.KeyDec = at(opt, 3);
    s.KeyHor = at(opt, 13);
    s.KeySFl = at(opt, 21);
    s.KeyAvE = at(opt, 31);
    s.KeyTim = at(opt, 33);
    s.KeyVUp = at(opt, 34);
    s.KeyVDn = at(opt, 35);
    s.KeyAvN = at(opt, 59);
    s.ScnGRst = negate_key_number(at(opt, 65));
    s.KeyTskTim = at(opt, 68);
    s.KeyHUDS = at(opt, 73);
}

void take_colours(const DisplayOptions& opt) {
    DisplayStateRecord& s = display_state;
    s.ColFlap0 = ConvertColor(at(opt, 22));
    s.ColWB0 = ConvertColor(at(opt, 23));
    s.ColVNE = ConvertColor(at(opt, 24));
    s.ColVA1 = ConvertColor(at(opt, 25));
    s.ColTAS0 = ConvertColor(at(opt, 26));
    s.ColWND = ConvertColor(at(opt, 29));
    s.ColHDG = ConvertColor(at(opt, 32));
    // A background of 0 (black) in the slot means "not given": keep the built-in one.
    if (at(opt, 48) >= 1) s.TxtBgd = ConvertColor_US(at(opt, 48));
    if (at(opt, 49) >= 1) s.HorBgd = ConvertColor_US(at(opt, 49));
    s.ColIAS = ConvertColor(at(opt, 53));
    s.ColNet = ConvertColor(at(opt, 54));
    s.ColInt0 = ConvertColor(at(opt, 55));
    s.ColTim = ConvertColor(at(opt, 56));
    s.ColAvN0 = ConvertColor(at(opt, 60));
    s.ColSli = ConvertColor(at(opt, 62));
    s.ColG = ConvertColor(at(opt, 64));
    s.ColTskTim = ConvertColor(at(opt, 67));
    s.ColClk = ConvertColor(at(opt, 70));
    s.ColGS = ConvertColor(at(opt, 72));
}

RgbF as_floats(const Rgb8& colour) {
    return {colour[0] / 255.0F, colour[1] / 255.0F, colour[2] / 255.0F};
}

} // namespace

void apply_display_options(const DisplayOptions& opt) {
    take_layout(opt);
    take_switches(opt);
    take_keys(opt);
    take_colours(opt);
}

void derive_window_colours() {
    DisplayStateRecord& s = display_state;
    s.TxtBgd_f = as_floats(s.TxtBgd);
    s.HorBgd_f = s.HorBgdTransp != 0 ? as_floats(s.HorBgd) : RgbF{kSkyRed, kSkyGreen, kSkyBlue};
    setblinkcolor(s.ColFlap0, s.ColFlap1);
    setblinkcolor(s.ColWB0, s.ColWB1);
    setblinkcolor(s.ColInt0, s.ColInt1);
    setblinkcolor(s.ColAvN0, s.ColAvN1);
}

} // namespace kalveo
