#include "display/window_style.h"

#include "display/display_state.h"
#include "platform/window_style.h"
#include "report/log.h"

namespace kalveo {

namespace {

constexpr int kOpaque = 255;

void log_style_line(const std::string& line) {
    log_printf("%s", line.c_str());
}

} // namespace

void style_text_window(const DisplayStateRecord& s, pCpw cpw, std::uintptr_t native) {
    WindowLook look;
    look.layered = s.TxtOpa != kOpaque;
    if (s.TxtOpa >= 1 && s.TxtOpa < kOpaque) look.alpha = s.TxtOpa;
    if (s.TxtOpa == 0) look.colour_key = s.TxtBgd;
    style_native_window(cpw_sdl_window(cpw, static_cast<CpwWindowId>(s.DisWinInfo.id)), native,
                        look, {"Txt", "Txt", "Txt"}, log_style_line);
}

void style_horizon_window(const DisplayStateRecord& s, pCpw cpw, std::uintptr_t native) {
    WindowLook look;
    look.layered = s.HorTranslu != 0 || s.HorBgdTransp != 0;
    if (s.HorTranslu != 0) look.alpha = s.HorOpac;
    if (s.HorBgdTransp != 0) look.colour_key = s.HorBgd;
    style_native_window(cpw_sdl_window(cpw, static_cast<CpwWindowId>(s.HorWinInfo.id)), native,
                        look, {"Hor", "hor", "AH"}, log_style_line);
}

} // namespace kalveo
