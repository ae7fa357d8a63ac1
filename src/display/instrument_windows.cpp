#include "cpw/cpw_font.h"
#include "display/display_state.h"
#include "display/placement.h"
#include "display/start_graphics.h"
#include "report/log.h"

namespace kalveo {

namespace {

constexpr int kDestroyed = -1;

void destroy(CpwWindowInfo& window) {
    if (window.id > 0) cpwDestroyWindow(this_cpw, static_cast<CpwWindowId>(window.id));
    window.id = kDestroyed;
}

void move_horizon(int x, int y) {
    DisplayStateRecord& s = display_state;
    s.HorWinInfo.x = x;
    s.HorWinInfo.y = y;
    if (s.HorWinInfo.id > 0)
        cpwPositionWindow(this_cpw, x, y, static_cast<CpwWindowId>(s.HorWinInfo.id));
}

} // namespace

void SetHorPos() {
    DisplayStateRecord& s = display_state;
    s.DrawHorizon = (s.DrawHorizon + 1) % 3;
    if (s.DrawHorizon == 0) {
        move_horizon(kParkedPosition, kParkedPosition);
    } else if (s.DrawHorizon == 1) {
        move_horizon(s.HorSveX, s.HorSveY);
    } else {
        s.HorSveX = s.HorWinInfo.x;
        s.HorSveY = s.HorWinInfo.y;
        const CpwWindowInfo centred = centred_horizon(s.HorWinInfo, s.ScreenWidth, s.ScreenHeight);
        move_horizon(centred.x, centred.y);
    }
    log_printf("DrawHorizon : %d", s.DrawHorizon);
}

bool windows_closed() {
    const DisplayStateRecord& s = display_state;
    return s.DisWinInfo.id == kDestroyed && s.HorWinInfo.id == kDestroyed;
}

void close_windows() {
    DisplayStateRecord& s = display_state;
    log_printf("Free Context");
    if (Font != nullptr) {
        cpwUnloadFont(this_cpw, Font);
        Font = nullptr;
    }
    destroy(s.HorWinInfo);
    destroy(s.DisWinInfo);
}

void free_graphics() {
    if (this_cpw != nullptr) cpwFreeContext(&this_cpw);
}

} // namespace kalveo
