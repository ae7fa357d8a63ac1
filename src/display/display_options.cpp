#include "display/display_options.h"

#include "display/display_state.h"
#include "text/number_read.h"

namespace kalveo {

namespace {

constexpr int kStandardHorizon = 2;

void take_layout(DisplayStateRecord& s, const DisplayOptions& o) {
    s.FontSize = o.font_size;
    s.HorizontalDisplay = o.horizontal_display;
    s.Debug = o.debug ? 1 : 0;
    s.DisWinX = o.position_x;
    s.DisWinY = o.position_y;
    s.HorOpac = o.horizon_opacity;
    s.HorTranslu = o.horizon_opacity < 255 ? 1 : 0;
    if (o.artificial_horizon == 1 || o.artificial_horizon == kStandardHorizon) {
        s.DrawHorizon = 1;
        s.StdHorizon = o.artificial_horizon == kStandardHorizon ? 1 : 0;
    }
    s.HorWinInfo.width = o.horizon_size;
    s.HorWinInfo.height = o.horizon_size;
    s.HorWinX = o.horizon_x;
    s.HorWinY = o.horizon_y;
    s.TxtOpa = o.text_opacity;
    s.StopWait = o.stop_wait;
    s.ConfirmStop = s.StopWait >= 0 ? 1 : 0;
    s.HorBgdTransp = o.horizon_transparent_corners;
    s.HorFontSize = o.horizon_font_size;
    s.KbdAutoRst = o.keyboard_auto_reset;
    s.KbdHookEnabled = o.keyboard_hook;
}

void take_switches(DisplayStateRecord& s, const DisplayOptions& o) {
    s.DisVNE = o.show_vne;
    s.DisVA1 = o.show_va1;
    s.DisBal = o.show_ballast;
    s.BallastSetting = o.show_ballast;
    s.DisUni = o.show_units;
    s.DisNet = o.show_netto;
    s.DisNet_I = o.show_netto_integrator;
    s.DisInt_I = o.show_integrator;
    s.DisTim = o.show_stopwatch;
    s.DisIAS = o.show_ias;
    s.DisTAS = o.show_tas;
    s.DisHDG = o.show_heading;
    s.DisWND = o.show_wind;
    s.NumDig = o.number_of_digits;
    s.NorthUp = o.north_up;
    s.ArrTyp = o.arrow_style;
    s.Nrec = o.status_mark;
    s.Polar = o.polar_mode ? 1 : 0;
    if (s.Polar != 0) s.DisVar = 1;
    s.DisSli = o.show_slip;
    s.DisG = o.show_g_meter;
    s.DisTskTim = o.show_task_timer;
    s.DisClk = o.show_clock;
    s.DisGS = o.show_ground_speed;
    s.DisWalClk = o.show_wall_clock;
}

void take_keys(DisplayStateRecord& s, const DisplayOptions& o) {
    s.KeyInc = o.key_increase;
    s.KeyDec = o.key_decrease;
    s.KeyHor = o.key_horizon;
    s.KeySFl = o.key_flaps_sound;
    s.KeyAvE = o.key_integrator;
    s.KeyTim = o.key_stopwatch;
    s.KeyVUp = o.key_sound_up;
    s.KeyVDn = o.key_sound_down;
    s.KeyAvN = o.key_netto_integrator;
    s.ScnGRst = negate_key_number(o.g_reset_scan);
    s.KeyTskTim = o.key_task_timer;
    s.KeyHUDS = o.key_hud_speed;
}

void take_colours(DisplayStateRecord& s, const DisplayOptions& o) {
    s.ColFlap0 = ConvertColor(o.colour_flaps);
    s.ColWB0 = ConvertColor(o.colour_ballast);
    s.ColVNE = ConvertColor(o.colour_vne);
    s.ColVA1 = ConvertColor(o.colour_va1);
    s.ColTAS0 = ConvertColor(o.colour_tas);
    s.ColWND = ConvertColor(o.colour_wind);
    s.ColHDG = ConvertColor(o.colour_heading);
    // A background of 0 (black) means "not given": keep the built-in one.
    if (o.text_background >= 1) s.TxtBgd = ConvertColor_US(o.text_background);
    if (o.horizon_background >= 1) s.HorBgd = ConvertColor_US(o.horizon_background);
    s.ColIAS = ConvertColor(o.colour_ias);
    s.ColNet = ConvertColor(o.colour_netto);
    s.ColInt0 = ConvertColor(o.colour_integrator);
    s.ColTim = ConvertColor(o.colour_stopwatch);
    s.ColAvN0 = ConvertColor(o.colour_netto_integrator);
    s.ColSli = ConvertColor(o.colour_slip);
    s.ColG = ConvertColor(o.colour_g_meter);
    s.ColTskTim = ConvertColor(o.colour_task_timer);
    s.ColClk = ConvertColor(o.colour_clock);
    s.ColGS = ConvertColor(o.colour_ground_speed);
}

RgbF as_floats(const Rgb8& colour) {
    return {colour[0] / 255.0F, colour[1] / 255.0F, colour[2] / 255.0F};
}

} // namespace

void apply_display_options(DisplayStateRecord& s, const DisplayOptions& options) {
    take_layout(s, options);
    take_switches(s, options);
    take_keys(s, options);
    take_colours(s, options);
}

void derive_window_colours(DisplayLook& s) {
    s.TxtBgd_f = as_floats(s.TxtBgd);
    s.HorBgd_f = s.HorBgdTransp != 0 ? as_floats(s.HorBgd) : RgbF{kSkyRed, kSkyGreen, kSkyBlue};
    setblinkcolor(s.ColFlap0, s.ColFlap1);
    setblinkcolor(s.ColWB0, s.ColWB1);
    setblinkcolor(s.ColInt0, s.ColInt1);
    setblinkcolor(s.ColAvN0, s.ColAvN1);
}

} // namespace kalveo
