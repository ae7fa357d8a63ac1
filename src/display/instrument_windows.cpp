#include "cpw/cpw_font.h"
#include "display/display_state.h"
#include "display/placement.h"
#include "display/start_graphics.h"
#include "report/log.h"

namespace kalveo {

namespace {

constexpr int kDestroyed = -1;

void destroy(pCpw cpw, CpwWindowInfo& window) {
    if (window.id > 0) cpwDestroyWindow(cpw, static_cast<CpwWindowId>(window.id));
    window.id = kDestroyed;
}

void move_horizon(DisplayStateRecord& s, pCpw cpw, int x, int y) {
    s.HorWinInfo.x = x;
    s.HorWinInfo.y = y;
    if (s.HorWinInfo.id > 0)
        cpwPositionWindow(cpw, x, y, static_cast<CpwWindowId>(s.HorWinInfo.id));
}

} // namespace

void SetHorPos(DisplayStateRecord& s, pCpw cpw) {
    s.DrawHorizon = (s.DrawHorizon + 1) % 3;
    if (s.DrawHorizon == 0) {
        move_horizon(s, cpw, kParkedPosition, kParkedPosition);
    } else if (s.DrawHorizon == 1) {
        move_horizon(s, cpw, s.HorSveX, s.HorSveY);
    } else {
        s.HorSveX = s.HorWinInfo.x;
        s.HorSveY = s.HorWinInfo.y;
        const CpwWindowInfo centred = centred_horizon(s.HorWinInfo, s.ScreenWidth, s.ScreenHeight);
        move_horizon(s, cpw, centred.x, centred.y);
    }
    log_printf("DrawHorizon : %d", s.DrawHorizon);
}

bool windows_closed(const WindowsRun& s) {
    return s.DisWinInfo.id == kDestroyed && s.HorWinInfo.id == kDestroyed;
}

void close_windows(InstrumentWindows& windows) {
    DisplayStateRecord& s = windows.state;
    log_printf("Free Context");
    if (windows.font != nullptr) {
        cpwUnloadFont(windows.cpw, windows.font);
        windows.font = nullptr;
    }
    destroy(windows.cpw, s.HorWinInfo);
    destroy(windows.cpw, s.DisWinInfo);
}

void free_graphics(InstrumentWindows& windows) {
    if (windows.cpw != nullptr) cpwFreeContext(&windows.cpw);
}

} // namespace kalveo
