// The polar help chart of polar-measurement mode, drawn in the horizon window: the speed trend
// and trace that tell the pilot when the speed is steady, and the glider's reference polar with
// the points recorded so far.
#include "display/polar_chart.h"

#include "display/display_state.h"
#include "display/horizon_window.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kalveo {

namespace {

constexpr float kTraceHalf = 105.0F;
constexpr float kFrame = 103.0F;
constexpr float kTraceScale = 100.0F;
constexpr float kPurple[] = {0.667F, 0.0F, 0.667F};
/// Entry of vvpol where the reference polar starts.
constexpr int kReferenceStart = 100;

void ortho(double left, double right, double bottom, double top) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(left, right, bottom, top, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

float finite(float v) {
    return std::isfinite(v) ? v : 0.0F;
}

void draw_speed_trend(const DisplayStateRecord& s, int w, int h) {
    const float v = std::clamp(finite(s.V2Fly), -1.0F, 1.0F);
    if (v > 0.0F)
        glColor4f(std::min(v + 0.5F, 1.0F), 0.0F, 0.0F, 1.0F);
    else
        glColor4f(0.0F, 0.0F, std::min(0.5F - v, 1.0F), 1.0F);
    glBegin(GL_TRIANGLES);
    glVertex2i(1, h / 2);
    glVertex2i(w / 10, h / 2);
    glVertex2i(w / 20, h / 2 + static_cast<int>(0.4F * v * static_cast<float>(h)));
    glEnd();
}

void draw_trace(const DisplayStateRecord& s) {
    ortho(-kTraceHalf, kTraceHalf, -kTraceHalf, kTraceHalf);
    if (s.SelectedWindow != 0 && s.SelectedWindow == s.HorWinInfo.id) {
        glColor4f(1.0F, 0.5F, 0.0F, 1.0F);
        glLineWidth(2.0F);
        glBegin(GL_LINE_LOOP);
        glVertex2f(-kFrame, -kFrame);
        glVertex2f(kFrame, -kFrame);
        glVertex2f(kFrame, kFrame);
        glVertex2f(-kFrame, kFrame);
        glEnd();
    }
    glScalef(kTraceScale, kTraceScale, 1.0F);
    glLineWidth(1.0F);
    glColor4f(0.0F, 0.0F, 1.0F, 1.0F);
    glBegin(GL_LINES);
    glVertex2f(-1.0F, 0.0F);
    glVertex2f(1.0F, 0.0F);
    glVertex2f(-1.0F, -1.0F);
    glVertex2f(-1.0F, 1.0F);
    glEnd();
    if (s.WaitForVelStabil != 0)
        glColor4f(1.0F, 0.5F, 0.0F, 1.0F);
    else
        glColor4f(0.0F, 1.0F, 0.0F, 1.0F);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < kSpeedTrace; ++i)
        glVertex2f(1.0F - static_cast<float>(i) / 100.0F,
                   std::clamp(finite(s.vval[static_cast<std::size_t>(i)]), -2.0F, 2.0F));
    glEnd();
}

void draw_reference_polar(const DisplayStateRecord& s) {
    if (s.DrawPol == 0 || s.NbFpl <= 0 || s.NbFpl > kPolarPoints) return;
    const auto& last = s.vvpol[static_cast<std::size_t>(s.NbFpl - 1)];
    const float xl = finite(last[0]);
    const float yl = finite(last[1]);
    const double left = finite(s.vmin) - 2.0;
    const double right = xl + 2.0;
    const double bottom = yl - 1.0;
    // A polar that leaves no room (or a broken one) is not drawn rather than drawn inside out.
    if (!(right - left > 0.01) || !(0.0 - bottom > 0.01)) return;
    ortho(left, right, bottom, 0.0);
    glColor4f(0.0F, 0.0F, 0.0F, 1.0F);
    glBegin(GL_LINE_STRIP);
    for (int i = kReferenceStart; i < s.NbFpl; ++i)
        glVertex2f(s.vvpol[static_cast<std::size_t>(i)][0],
                   s.vvpol[static_cast<std::size_t>(i)][1]);
    glEnd();
    const float ias = static_cast<float>(s.IAS) / 3.6F;
    glColor4f(0.0F, 1.0F, 1.0F, 1.0F);
    glBegin(GL_LINES);
    glVertex2f(ias, -20.0F);
    glVertex2f(ias, 0.0F);
    glEnd();
    if (s.NbPol <= 0) return;
    const float dx = (static_cast<float>(s.vne) / 3.6F - finite(s.vmin)) * 0.025F;
    const float dy = std::fabs(yl) * 0.025F;
    glColor4f(kPurple[0], kPurple[1], kPurple[2], 1.0F);
    glBegin(GL_LINES);
    for (int i = 0; i < std::min(s.NbPol, kReferenceStart); ++i) {
        const auto& p = s.vvpol[static_cast<std::size_t>(i)];
        glVertex2f(p[0] - dx, p[1]);
        glVertex2f(p[0] + dx, p[1]);
        glVertex2f(p[0], p[1] - dy);
        glVertex2f(p[0], p[1] + dy);
    }
    glEnd();
}

} // namespace

void drawPolHelp(DisplayStateRecord& s, pCpw cpw, CpwFontFace face, HorizonRun& run) {
    if (s.HOR_Initialized == 0) {
        horizon_first_frame(s, cpw, face, run);
        s.HOR_Initialized = 1;
    }
    const int w = s.HorWinInfo.width;
    const int h = s.HorWinInfo.height;
    glClearColor(1.0F, 1.0F, 1.0F, 1.0F);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ortho(0.0, w, 0.0, h);
    if (face != nullptr) {
        cpwFontMode(cpw, CPW_FONTOPT_SIZE, run.setup.font_size);
        glColor4f(s.ColIAS[0], s.ColIAS[1], s.ColIAS[2], 1.0F);
        char text[16];
        std::snprintf(text, sizeof text, "%d", s.IAS);
        cpw_window_pos(cpw, 0.0F, 1.0F);
        cpwDrawFont(cpw, face, text, 1);
    }
    draw_speed_trend(s, w, h);
    draw_trace(s);
    draw_reference_polar(s);
    glLineWidth(1.0F);
}

} // namespace kalveo
