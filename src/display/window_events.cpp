#include "display/window_events.h"

#include "display/display_log.h"
#include "display/display_state.h"
#include "display/event_loop.h"
#include "display/window_keys.h"
#include "display/windows.h"

#include <SDL_opengl.h>

namespace kalveo {

namespace {

bool is_text_window(CpwWindowId id) {
    return static_cast<int>(id) == display_state.DisWinInfo.id;
}

bool is_horizon_window(CpwWindowId id) {
    return static_cast<int>(id) == display_state.HorWinInfo.id;
}

void clear_to(const RgbF& colour) {
    glClearColor(colour[0], colour[1], colour[2], 1.0F);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// The instrument faces come later; until then each window shows its background.
void draw_text_window() {
    clear_to(display_state.TxtBgd_f);
}

void draw_horizon_window() {
    clear_to(display_state.HorBgd_f);
}

void set_up_gl_state() {
    glShadeModel(GL_SMOOTH);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_LINE_SMOOTH);
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(1.0F, 1.0F, 1.0F, 1.0F);
}

} // namespace

void window(pCpw cpw, CpwWindowId /*id*/, int flag) {
    if (flag == 1) {
        set_up_gl_state();
        return;
    }
    if (display_state.WeAreClosing == 1) return;
    ask_exit(cpw);
}

void draw(pCpw cpw, CpwWindowId id) {
    const DisplayStateRecord& s = display_state;
    if (s.Debug != 0) display_log("Draw window %u %d\n", id, s.count);
    if (is_text_window(id)) {
        draw_text_window();
    } else if (is_horizon_window(id)) {
        if (s.Polar != 0 || s.DrawHorizon != 0) draw_horizon_window();
    }
    cpwSwapWindowBuffers(cpw, id);
}

void reshape(pCpw /*cpw*/, CpwWindowId id, int width, int height) {
    DisplayStateRecord& s = display_state;
    if (width == 0) width = 1;
    if (height == 0) height = 1;
    if (is_text_window(id)) {
        s.DisWinInfo.width = width;
        s.DisWinInfo.height = height;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    } else if (is_horizon_window(id)) {
        s.HorWinInfo.width = width;
        s.HorWinInfo.height = height;
    }
    glViewport(0, 0, width, height);
}

void register_callbacks(pCpw cpw) {
    cpwCreateCallback(cpw, window);
    cpwDisplayCallback(cpw, draw);
    cpwReshapeCallback(cpw, reshape);
    cpwTimerCallback(cpw, kTimerPeriodMs, kTimerId, 1, [](pCpw, int) { timer_tick(); });
    cpwKeyboardCallback(cpw, keyboard);
    cpwSystemKeyboardCallback(cpw, syskeyboard);
    cpwMouseClickCallback(cpw, mouseclick);
}

} // namespace kalveo
