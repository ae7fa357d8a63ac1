#include "display/start_graphics.h"

#include "cpw/cpw_font.h"
#include "display/display_options.h"
#include "display/display_state.h"
#include "display/placement.h"
#include "display/window_events.h"
#include "display/window_style.h"
#include "report/log.h"
#include "report/stop.h"
#include "sim/controls.h"
#include "text/number_read.h"

#include <SDL_opengl.h>
#include <cctype>

namespace kalveo {

namespace {

constexpr int kSmallestFont = 4;
constexpr int kFallbackFontSize = 24;
constexpr int kWidthPerFontSize = 14;
constexpr const char* kFallbackFont = "arial.ttf";

void take_arguments(DisplayStateRecord& s, std::string_view fntn_f, const double* flbk,
                    std::string_view msg_1, std::string_view msg_2, std::string_view msg_3,
                    std::string_view cu_f) {
    s.StartTime = display_clock();
    s.KbdTime = s.StartTime;
    s.WeAreClosing = Closing::no;
    s.FontName = fntn_f;
    s.MsgExitCnf = msg_1;
    s.MsgCndrStp = msg_2;
    s.MsgKeyDefi = msg_3;
    s.cunit = cu_f;
    if (flbk != nullptr) s.FlapMxBank = static_cast<float>(*flbk);
}

void check_font_size(DisplayStateRecord& s) {
    if (s.FontSize >= kSmallestFont) return;
    log_printf("************* Fontsize = %d : too small or incorrect, set to 24 *************",
               s.FontSize);
    s.FontSize = kFallbackFontSize;
}

char key_char(int code) {
    return code > 0 && code < 127 && std::isprint(code) != 0 ? static_cast<char>(code) : '?';
}

void log_colour(const char* label, const RgbF& c) {
    log_printf("%s %f %f %f", label, static_cast<double>(c[0]), static_cast<double>(c[1]),
               static_cast<double>(c[2]));
}

void log_settings(const DisplayStateRecord& s) {
    log_printf("KbdHookEnabled : %d", s.KbdHookEnabled);
    log_printf("FontName, FontSize, HorizontalDisplay %s %d %d", s.FontName.c_str(), s.FontSize,
               s.HorizontalDisplay);
    log_printf("DisWinX, DisWinY %d %d", s.DisWinX, s.DisWinY);
    log_printf("TxtOpa %d", s.TxtOpa);
    log_printf("Display VNE VA1 Ballast Units AvN %d %d %d %d %d", s.DisVNE, s.DisVA1, s.DisBal,
               s.DisUni, s.DisNet_I);
    log_printf("DrawHorizon HorBgdTransp HorOpac HorFontSize %d %d %d %d", s.DrawHorizon,
               s.HorBgdTransp, s.HorOpac, s.HorFontSize);
    log_printf("FlapSoundMaxBank %f", static_cast<double>(s.FlapMxBank));
    log_printf("HorWinX, HorWinY Size Opac. Fnt %d %d %d %d", s.HorWinX, s.HorWinY,
               s.HorWinInfo.width, s.HorOpac);
    log_printf("KeyInc,KeyDec,KeyHor, KeySFl %d %d %d %d %d", s.KeyInc, s.KeyDec, s.KeyHor,
               s.KeySFl, s.KeyAvN);
    log_printf("KeyInc,KeyDec,KeyHor, KeySFl KeyAvN %c %c %c %c %c", key_char(s.KeyInc),
               key_char(s.KeyDec), key_char(s.KeyHor), key_char(s.KeySFl), key_char(s.KeyAvN));
    log_printf("Chat : KeyChatO,Enter %d %d", s.KeyChatO, s.Enter);
    log_colour("ColFlap0", s.ColFlap0);
    log_colour("ColWB0  ", s.ColWB0);
    log_colour("ColVNE  ", s.ColVNE);
    log_colour("ColVA1  ", s.ColVA1);
    log_colour("ColTAS0 ", s.ColTAS0);
    log_colour("ColIAS ", s.ColIAS);
    log_colour("ColNet ", s.ColNet);
    log_colour("ColInt0 ", s.ColInt0);
    log_colour("ColAvn0 ", s.ColAvN0);
    log_colour("ColTim ", s.ColTim);
}

void size_text_window(DisplayStateRecord& s) {
    s.numlin = 1;
    s.VertMargin = vert_margin_for(s.FontSize);
    s.DisWinInfo.height = ComputeHeight(s);
    s.DisWinInfo.width = kWidthPerFontSize * s.FontSize;
    log_printf("Wid Hei %d %d", s.DisWinInfo.width, s.DisWinInfo.height);
}

void open_context(InstrumentWindows& windows) {
    DisplayStateRecord& s = windows.state;
    if (!cpwInitContext(&windows.cpw)) {
        log_printf("{E}The windows could not be opened (no display?)");
        stop_program("The windows could not be opened");
    }
    s.ScreenWidth = cpwGet(windows.cpw, CPW_SCREEN_WIDTH);
    s.ScreenHeight = cpwGet(windows.cpw, CPW_SCREEN_HEIGHT);
    log_printf("Screen W H %d %d", s.ScreenWidth, s.ScreenHeight);
}

CpwWindowId create_window(pCpw cpw, const CpwWindowInfo& info, std::string_view title) {
    cpwInitWindowProperty(cpw, CPW_WINDOWPROP_POPUP, 0, 0);
    cpwInitWindowProperty(cpw, CPW_WINDOWPROP_TOPMOST, 0, 0);
    cpwInitWindowProperty(cpw, CPW_WINDOWPROP_SIZE, info.width, info.height);
    cpwInitWindowProperty(cpw, CPW_WINDOWPROP_POSITION, info.x, info.y);
    return cpwCreateWindow(cpw, title);
}

void open_windows(DisplayStateRecord& s, pCpw cpw) {
    s.DisWinInfo = adjust_position(s, s.DisWinInfo, s.DisWinX, s.DisWinY);
    s.HorWinInfo = adjust_position(s, s.HorWinInfo, s.HorWinX, s.HorWinY);
    s.HorSveX = s.HorWinInfo.x;
    s.HorSveY = s.HorWinInfo.y;

    s.DisWinInfo.id = static_cast<int>(create_window(cpw, s.DisWinInfo, kTextWindowTitle));
    if (s.DisWinInfo.id == 0) {
        log_printf("{E}The window \"%s\" could not be created", kTextWindowTitle.data());
        stop_program("The text window could not be created");
    }
    s.HorWinInfo.id = 0;
    if (s.DrawHorizon != 0) {
        s.HorWinInfo.id = static_cast<int>(create_window(cpw, s.HorWinInfo, kHorizonWindowTitle));
        if (s.HorWinInfo.id == 0) log_printf("The horizon window could not be created");
    }
}

void log_key_names(const DisplayStateRecord& s) {
    Print_Key_Name("KeyAvn", s.KeyAvN);
    Print_Key_Name("KeyInc", s.KeyInc);
    Print_Key_Name("KeySFl", s.KeySFl);
    Print_Key_Name("KeyHor", s.KeyHor);
    Print_Key_Name("KeyVUp", s.KeyVUp);
    Print_Key_Name("KeyVDn", s.KeyVDn);
    Print_Key_Name("KeyAvE", s.KeyAvE);
    Print_Key_Name("KeyTim", s.KeyTim);
    Print_Key_Name("KeyAvn", s.KeyAvN);
    Print_Key_Name("KeyTskTim", s.KeyTskTim);
    Print_Key_Name("KeyChatO", s.KeyChatO);
    Print_Key_Name("ScnChatO", negate_key_number(s.ScnChatO));
}

void style_windows(InstrumentWindows& windows) {
    const DisplayStateRecord& s = windows.state;
    windows.text_native = cpw_native_window(windows.cpw, static_cast<CpwWindowId>(s.DisWinInfo.id));
    windows.horizon_native =
        cpw_native_window(windows.cpw, static_cast<CpwWindowId>(s.HorWinInfo.id));
    log_printf("\ntxt_hwnd hor_hwnd %lu %lu", static_cast<unsigned long>(windows.text_native),
               static_cast<unsigned long>(windows.horizon_native));
    style_text_window(s, windows.cpw, windows.text_native);
    style_horizon_window(s, windows.cpw, windows.horizon_native);
}

void reset_run_state(DisplayStateRecord& s) {
    s.GotPlaneData = 0;
    s.HOR_Initialized = 0;
    s.TXT_Initialized = 0;
    s.Restart = 0;
    s.SelectedWindow = 0;
    s.LastFlapUpdate = 0.0;
    s.bank = s.pitch = s.evario = s.nvario = s.ivario_m = s.nvario_m = 0.0F;
    s.compass = s.WindSpeed = s.slip = s.gforce = 0.0F;
    s.WindDir = s.RelWind = 180.0F;
}

void prepare_text_drawing(InstrumentWindows& windows) {
    DisplayStateRecord& s = windows.state;
    pCpw cpw = windows.cpw;
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    cpwFontMode(cpw, CPW_FONTOPT_PIXELMAP, 0);
    cpwFontMode(cpw, CPW_FONTOPT_ALIGNLEFT, 0);
    cpwFontMode(cpw, CPW_FONTOPT_SIZE, s.FontSize);
    cpwFontMode(cpw, CPW_FONTOPT_KERN, 1);
    cpwFontMode(cpw, CPW_FONTOPT_PIXELMAP_GLFORMAT, CPW_GL_RGBA);
    cpwFontMode(cpw, CPW_FONTOPT_LAYOUTDEBUG, 1);
    cpwFontMode(cpw, CPW_FONTOPT_SPACING, 1);
    glColor4f(0.0F, 1.0F, 0.0F, 1.0F);

    windows.font = cpwLoadFont(cpw, s.FontName, CPW_FONTLOC_HOST, "");
    if (windows.font != nullptr) return;
    log_printf("************* Font : %s could not be loaded - arial.ttf selected *************",
               s.FontName.c_str());
    s.FontName = kFallbackFont;
    windows.font = cpwLoadFont(cpw, s.FontName, CPW_FONTLOC_HOST, "");
    if (windows.font == nullptr) log_printf("{W}Font %s could not be loaded either", kFallbackFont);
}

} // namespace

void open_graphics(InstrumentWindows& windows, std::string_view fntn_f,
                   const DisplayOptions& options, const double* flbk, std::string_view msg_1,
                   std::string_view msg_2, std::string_view msg_3, std::string_view cu_f) {
    DisplayStateRecord& s = windows.state;
    take_arguments(s, fntn_f, flbk, msg_1, msg_2, msg_3, cu_f);
    apply_display_options(s, options);
    derive_window_colours(s);
    check_font_size(s);
    log_settings(s);
    size_text_window(s);
    open_context(windows);
    open_windows(s, windows.cpw);
    log_key_names(s);
}

void prepare_graphics(InstrumentWindows& windows) {
    const bool restart_pass = windows.state.Restart != 0;
    style_windows(windows);
    // The callbacks are registered on every pass: registering replaces the old ones.
    register_callbacks(windows);
    if (restart_pass) reset_run_state(windows.state);
    prepare_text_drawing(windows);
}

} // namespace kalveo
