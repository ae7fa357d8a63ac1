#include "display/placement.h"

#include "report/log.h"

#include <cmath>

namespace kalveo {

int resolve_x(int code, int screen, int width) {
    switch (code) {
    case kPositionStart:
        return 0;
    case kPositionCentre:
        return screen / 2 - width / 2;
    case kPositionEnd:
        return screen - width;
    default:
        return code;
    }
}

int resolve_y(int code, int screen, int height) {
    switch (code) {
    case kPositionStart:
        return 0;
    case kPositionCentre:
        return screen / 2 - height / 2;
    case kPositionEnd:
        return screen - height;
    case kPositionQuarter:
        return screen / 4 - height / 2;
    default:
        return code;
    }
}

CpwWindowInfo adjust_position(const WindowsRun& run, CpwWindowInfo window, int posx, int posy) {
    window.x = resolve_x(posx, run.ScreenWidth, window.width);
    window.y = resolve_y(posy, run.ScreenHeight, window.height);
    log_printf("adjust_position %d %d %d", window.id, window.x, window.y);
    return window;
}

int vert_margin_for(int font_size) {
    const int margin = static_cast<int>(std::lround(font_size * 0.125));
    return margin < 3 ? 3 : margin;
}

CpwWindowInfo centred_horizon(CpwWindowInfo window, int screen_width, int screen_height) {
    window.x = screen_width / 2 - window.width / 2;
    window.y = screen_height / 4 - window.width / 2;
    return window;
}

} // namespace kalveo
