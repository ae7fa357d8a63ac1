#include "display/horizon_window.h"

#include "display/bug_reminder.h"
#include "display/display_log.h"
#include "display/display_state.h"
#include "display/face_colours.h"
#include "display/horizon_geometry.h"
#include "display/tas_colour.h"
#include "display/whole_numbers.h"
#include "report/log.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace kalveo {

namespace {

constexpr RgbF kSky{0.435F, 0.631F, 0.812F};
constexpr RgbF kGround{0.404F, 0.349F, 0.267F};
constexpr RgbF kNearWhite{0.95F, 1.0F, 1.0F};
constexpr RgbF kYellow{1.0F, 1.0F, 0.25F};
constexpr RgbF kBezel{0.3F, 0.3F, 0.3F};
constexpr RgbF kRim{0.1F, 0.1F, 0.1F};
constexpr RgbF kNeedleNorth{1.0F, 0.25F, 0.0F};
constexpr RgbF kWhite{1.0F, 1.0F, 1.0F};
constexpr float kFillAlpha = 0.45F;
constexpr float kLineAlpha = 0.75F;
/// Half the window in ball coordinates: the unit circle is 100/117 of the half-window.
constexpr double kBallHalf = 117.0;
constexpr float kBallScale = 100.0F;
constexpr float kLadderStep = 1.0F / 45.0F; // dy
/// The bank marks: circle points at 15, 30, 45, 60 degrees either side of the top.
constexpr int kBankMarks[] = {3, 6, 9, 12, 60, 63, 66, 69};

void colour(const RgbF& c, float alpha = 1.0F) {
    glColor4f(c[0], c[1], c[2], alpha);
}

void width(HorizonRun& run, float multiple) {
    glLineWidth(line_width(multiple, run.setup.lwf));
}

void vertex(const BallPoint& p) {
    glVertex2f(p.x, p.y);
}

void line(BallPoint a, BallPoint b) {
    glBegin(GL_LINES);
    vertex(a);
    vertex(b);
    glEnd();
}

BallPoint scaled(const BallPoint& p, float k) {
    return {p.x * k, p.y * k};
}

const BallPoint& inner(HorizonRun& run, int i) {
    return run.setup.circle.inner[static_cast<std::size_t>(i)];
}

const BallPoint& outer(HorizonRun& run, int i) {
    return run.setup.circle.outer[static_cast<std::size_t>(i)];
}

bool is_quarter_mark(int i) {
    // 15 and 45 degrees are the short marks, 30 and 60 the long ones.
    return i == 3 || i == 9 || i == 63 || i == 69;
}

void text_at(pCpw cpw, CpwFontFace face, int x, int y, const std::string& text) {
    if (face == nullptr) return;
    cpw_window_pos(cpw, static_cast<float>(x), static_cast<float>(y));
    cpwDrawFont(cpw, face, text, 1);
}

TextSize measure(pCpw cpw, CpwFontFace face, std::string_view text) {
    CpwFontBBox box;
    if (face == nullptr || !cpwGetFontBBox(cpw, face, text, &box)) return {};
    return {box.width, box.height};
}

void pixel_projection(int w, int h) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, w, 0.0, h, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void ball_projection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-kBallHalf, kBallHalf, -kBallHalf, kBallHalf, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glScalef(kBallScale, kBallScale, 1.0F);
}

void clear_window(const DisplayStateRecord& s, HorizonRun& run) {
    const RgbF& bg = s.HorBgd_f;
    glClearColor(bg[0], bg[1], bg[2], 1.0F);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (run.clear_colour_logged) return;
    run.clear_colour_logged = true;
    log_printf("HORIZON CLEAR COLOR");
    log_printf("%f %f %f", static_cast<double>(bg[0]), static_cast<double>(bg[1]),
               static_cast<double>(bg[2]));
    log_printf("%d %d %d", static_cast<int>(std::lround(bg[0] * 255.0F)),
               static_cast<int>(std::lround(bg[1] * 255.0F)),
               static_cast<int>(std::lround(bg[2] * 255.0F)));
}

void draw_ball(HorizonRun& run, const HorizonSplit& h) {
    if (h.p >= 1.0F) {
        colour(kGround);
        glBegin(GL_POLYGON);
        for (int i = 0; i < kCirclePoints; ++i)
            vertex(inner(run, i));
        glEnd();
        return;
    }
    colour(kSky);
    glBegin(GL_POLYGON);
    for (int i = 0; i <= h.ig1; ++i)
        vertex(inner(run, i));
    glVertex2f(h.c, h.p);
    glVertex2f(-h.c, h.p);
    for (int i = h.ig2; i < kCirclePoints; ++i)
        vertex(inner(run, i));
    glEnd();
    if (h.ig2 - h.ig1 < 2) return;
    colour(kGround);
    glBegin(GL_POLYGON);
    glVertex2f(h.c, h.p);
    for (int i = h.ig1 + 1; i <= h.ig2 - 1; ++i)
        vertex(inner(run, i));
    glVertex2f(-h.c, h.p);
    glEnd();
}

void sky_pointer_triangle(HorizonRun& run) {
    width(run, 1.5F);
    glBegin(GL_LINE_LOOP);
    glVertex2f(0.0F, 0.98F);
    glVertex2f(0.07F, 0.83F);
    glVertex2f(-0.07F, 0.83F);
    glEnd();
}

void draw_rotating_marks(const DisplayStateRecord& s, HorizonRun& run) {
    const float fg1 = run.setup.circle.fg1;
    colour(kNearWhite);
    glBegin(GL_TRIANGLES);
    glVertex2f(fg1, 0.07F);
    glVertex2f(0.85F * fg1, 0.0F);
    glVertex2f(fg1, -0.07F);
    glVertex2f(-fg1, 0.07F);
    glVertex2f(-0.85F * fg1, 0.0F);
    glVertex2f(-fg1, -0.07F);
    glEnd();
    if (s.StdHorizon == 0) {
        sky_pointer_triangle(run);
        return;
    }
    width(run, 3.0F);
    line(inner(run, 0), scaled(inner(run, 0), 0.88F));
    width(run, 1.5F);
    for (const int i : kBankMarks)
        line(inner(run, i), scaled(inner(run, i), is_quarter_mark(i) ? 0.92F : 0.88F));
}

// Ladder lines are cut at the ball's edge: with a steep pitch and bank they would otherwise
// show in the window's corners.
void ladder_line(HorizonRun& run, float y, float half, float p) {
    const float fg1 = run.setup.circle.fg1;
    const float at = y + p;
    if (std::fabs(at) >= fg1) return;
    const float room = std::sqrt(fg1 * fg1 - at * at);
    const float h = std::min(half, room);
    line({-h, at}, {h, at});
}

void draw_ladder(HorizonRun& run, const HorizonSplit& h) {
    colour(kNearWhite);
    width(run, 1.5F);
    if (h.p > -1.0F && h.p < 1.0F) line({-h.c, h.p}, {h.c, h.p});
    for (const int k : {-25, -20, -15, -10, -5, 5, 10, 15, 20, 25}) {
        const int m = std::abs(k);
        const float half = m == 10 ? 0.25F : m == 20 ? 0.4F : 0.1F;
        ladder_line(run, static_cast<float>(k) * kLadderStep, half, h.p);
    }
}

void draw_aircraft(const DisplayStateRecord& s, HorizonRun& run) {
    colour(kYellow);
    width(run, 4.0F);
    line({-0.35F, 0.0F}, {-0.05F, 0.0F});
    line({0.05F, 0.0F}, {0.35F, 0.0F});
    line({0.0F, -0.35F}, {0.0F, -0.05F});
    if (s.StdHorizon != 0) {
        colour(kNearWhite);
        sky_pointer_triangle(run);
    }
}

void draw_bezel(const DisplayStateRecord& s, HorizonRun& run) {
    colour(kBezel);
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i <= kCirclePoints; ++i) {
        vertex(inner(run, i % kCirclePoints));
        vertex(outer(run, i % kCirclePoints));
    }
    glEnd();
    if (s.StdHorizon == 0) {
        colour(kYellow);
        width(run, 3.0F);
        line(inner(run, 0), outer(run, 0));
        width(run, 1.5F);
        for (const int i : kBankMarks)
            line(inner(run, i), is_quarter_mark(i) ? scaled(inner(run, i), 1.08F) : outer(run, i));
    }
    const bool selected = s.SelectedWindow != 0 && s.SelectedWindow == s.HorWinInfo.id;
    colour(selected ? kSelectedOrange : kRim);
    width(run, 2.0F);
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < kCirclePoints; ++i)
        vertex(outer(run, i));
    glEnd();
}

void draw_silhouette(HorizonRun& run, const RgbF& c) {
    const Silhouette& sil = run.setup.silhouette;
    const SilhouetteFill fill = silhouette_fill(sil);
    colour(c, kFillAlpha);
    glBegin(GL_QUAD_STRIP);
    for (const BallPoint& p : fill.fuselage_strip)
        vertex(p);
    glEnd();
    for (const auto& polygon : fill.polygons) {
        glBegin(GL_POLYGON);
        for (const BallPoint& p : polygon)
            vertex(p);
        glEnd();
    }
    colour(c, kLineAlpha);
    width(run, 1.2F);
    for (const auto& loop : silhouette_outlines(sil)) {
        glBegin(GL_LINE_LOOP);
        for (const BallPoint& p : loop)
            vertex(p);
        glEnd();
    }
}

void needle_half(float sign, const RgbF& c) {
    const BallPoint tip{0.0F, 0.8F * sign};
    const BallPoint a{0.15F, 0.2F * sign};
    const BallPoint b{-0.15F, 0.2F * sign};
    colour(c, kFillAlpha);
    glBegin(GL_TRIANGLES);
    vertex(tip);
    vertex(a);
    vertex(b);
    glEnd();
    colour(c, kLineAlpha);
    glBegin(GL_LINE_LOOP);
    vertex(tip);
    vertex(a);
    vertex(b);
    glEnd();
}

void draw_heading_symbol(const DisplayStateRecord& s, HorizonRun& run) {
    if ((s.DisHDG & 2) == 0) return;
    glPushMatrix();
    if (s.NorthUp != 0) {
        glRotatef(-s.compass, 0.0F, 0.0F, 1.0F);
        if (s.ArrTyp != 0) {
            draw_silhouette(run, s.ColHDG);
        } else {
            colour(s.ColHDG, kLineAlpha);
            width(run, 4.0F);
            line({0.0F, 0.0F}, {0.0F, 0.85F});
            glBegin(GL_TRIANGLES);
            glVertex2f(0.0F, 1.0F);
            glVertex2f(0.08F, 0.85F);
            glVertex2f(-0.08F, 0.85F);
            glEnd();
        }
    } else {
        glRotatef(s.compass, 0.0F, 0.0F, 1.0F);
        width(run, 2.0F);
        needle_half(1.0F, kNeedleNorth);
        needle_half(-1.0F, kWhite);
    }
    glPopMatrix();
}

void draw_wind_arrow(DisplayStateRecord& s, HorizonRun& run) {
    if (s.DisWND != 0) s.RelWind = relative_wind(s.compass, s.WindDir);
    if ((s.DisWND & 2) == 0) return;
    glPushMatrix();
    glRotatef(s.NorthUp != 0 ? -s.WindDir : s.RelWind, 0.0F, 0.0F, 1.0F);
    const float speed =
        std::isfinite(s.WindSpeed) ? std::clamp(s.WindSpeed, -1000.0F, 1000.0F) : 0.0F;
    if (s.ArrTyp != 0) {
        const float k = speed / 100.0F;
        const BallPoint tip{0.0F, 0.5F * k - 0.5F};
        const BallPoint tail{0.0F, -0.3F * k - 0.5F};
        const BallPoint right{0.1F * k + 0.1F, -0.5F * k - 0.5F};
        const BallPoint left{-right.x, right.y};
        colour(s.ColWND, kFillAlpha);
        glBegin(GL_TRIANGLES);
        vertex(tip);
        vertex(right);
        vertex(tail);
        vertex(tip);
        vertex(tail);
        vertex(left);
        glEnd();
        colour(s.ColWND, kLineAlpha);
        width(run, 2.0F);
        glBegin(GL_LINE_LOOP);
        vertex(tip);
        vertex(right);
        vertex(tail);
        vertex(left);
        glEnd();
    } else {
        const float y = speed / 100.0F;
        colour(s.ColWND);
        width(run, 4.0F);
        line({0.0F, 0.0F}, {0.0F, y});
        glBegin(GL_TRIANGLES);
        glVertex2f(0.0F, y);
        glVertex2f(0.08F, y - 0.15F);
        glVertex2f(-0.08F, y - 0.15F);
        glEnd();
    }
    glPopMatrix();
}

void draw_numbers(const DisplayStateRecord& s, HorizonRun& run, pCpw cpw, CpwFontFace face, int w,
                  int h) {
    const HorizonSetup& hs = run.setup;
    if ((s.DisHDG & 1) != 0) {
        const int heading = whole(s.compass);
        colour(s.ColHDG);
        text_at(cpw, face, Padding(heading) * hs.HorNumWid, h - hs.fnth, int_text(heading));
    }
    if ((s.DisWND & 1) != 0) {
        const int value = whole((s.DisWND & 4) != 0 ? s.WindSpeed : s.RelWind);
        int x = w - (3 - Padding(std::abs(value))) * hs.HorNumWid;
        if (value < 0) x -= hs.MinusWid;
        colour(s.ColWND, kLineAlpha);
        text_at(cpw, face, x, h - hs.fnth, int_text(value));
    }
    if (s.HUD_Spd == 1 || s.HUD_Spd == 2) {
        const int speed = s.HUD_Spd == 1 ? s.tas : s.GS;
        colour(s.HUD_Spd == 1 ? tas_colour(s) : s.ColGS);
        text_at(cpw, face, Padding(speed) * hs.HorNumWid, 1, int_text(speed));
    }
}

void draw_slip(const DisplayStateRecord& s, int w, int h) {
    if (s.DisSli == 0) return;
    colour(s.ColSli);
    glBegin(GL_TRIANGLES);
    glVertex2f(static_cast<float>(w / 2), 0.0F);
    glVertex2f(static_cast<float>(w / 2), static_cast<float>(h / 12));
    glVertex2f(slip_tip_x(w, s.slip, s.DisSli), static_cast<float>(h / 24));
    glEnd();
}

void draw_g_meter(const DisplayStateRecord& s, int h) {
    if ((s.DisG & 2) == 0) return;
    const GMeter g = g_meter(h, s.gforce, s.GMin, s.GMax);
    colour(kBlack);
    glLineWidth(1.0F);
    glBegin(GL_LINES);
    for (int k = -10; k <= 10; ++k) {
        const auto y = static_cast<float>(g.ticks[static_cast<std::size_t>(k + 10)]);
        glVertex2f(1.0F, y);
        glVertex2f(1.0F + static_cast<float>(g_tick_length(k)), y);
    }
    glVertex2f(1.0F, 1.0F);
    glVertex2f(1.0F, static_cast<float>(h - 1));
    glEnd();
    colour(s.ColG);
    glLineWidth(4.0F);
    const float centre = static_cast<float>(h) / 2.0F;
    glBegin(GL_LINES);
    glVertex2f(4.0F, centre);
    glVertex2f(4.0F, g.bar_top);
    glEnd();
    glLineWidth(2.0F);
    glBegin(GL_LINES);
    for (const int y : {g.min_mark, g.max_mark}) {
        glVertex2f(1.0F, static_cast<float>(y));
        glVertex2f(11.0F, static_cast<float>(y));
    }
    glEnd();
}

void draw_insect(DisplayStateRecord& s, BugPicture* bug, int w, int h) {
    if (s.BugWipers == 0) return;
    const double now = display_clock();
    const bool due = s.ThTurns > s.MinThTurns && now - s.BW_Time > kBugWipeInterval;
    if (!due) {
        s.BW_WrnTime = 0.0;
        return;
    }
    if (bug != nullptr && bug_reminder_shown(s, now)) draw_bug(*bug, w, h);
    if (s.BW_WrnTime == 0.0) s.BW_WrnTime = now;
}

} // namespace

void horizon_first_frame(DisplayStateRecord& s, pCpw cpw, CpwFontFace face, HorizonRun& run) {
    HorizonSetup& h = run.setup;
    const int w = s.HorWinInfo.width;
    const int ht = s.HorWinInfo.height;
    display_console("Call read_sil\n");
    h.silhouette = read_sil([](const std::string& line) {
        if (!line.empty() && line.back() == '\n')
            display_console("%s", line.c_str());
        else
            log_printf("%s", line.c_str());
    });
    h.circle = make_horizon_circle(s.StdHorizon != 0);
    h.lwf = line_width_factor(w);

    std::vector<std::string> trace;
    h.font_size = horizon_font_size(
        s.HorFontSize, s.FontSize, w, ht,
        [&](int size) {
            cpwFontMode(cpw, CPW_FONTOPT_SIZE, size);
            return measure(cpw, face, "000");
        },
        &trace);
    for (const std::string& l : trace)
        display_console("%s", l.c_str());
    cpwFontMode(cpw, CPW_FONTOPT_SIZE, h.font_size);
    const TextSize zero = measure(cpw, face, "0");
    h.HorNumWid = zero.width;
    h.fnth = zero.height;
    h.MinusWid = measure(cpw, face, "-").width;
    display_console("HorNumWid MinusWid %d %d\n", h.HorNumWid, h.MinusWid);

    const HorizonSplit split = horizon_split(s.pitch, h.circle);
    log_printf("I ground %d %d", split.ig1, split.ig2);
    log_printf("I ground %f %f", static_cast<double>(split.p), static_cast<double>(split.c));
}

void drawHorWindow(DisplayStateRecord& s, pCpw cpw, CpwFontFace face, HorizonRun& run,
                   BugPicture* bug) {
    if (s.HOR_Initialized == 0) horizon_first_frame(s, cpw, face, run);
    const int w = s.HorWinInfo.width;
    const int h = s.HorWinInfo.height;
    clear_window(s, run);
    cpwFontMode(cpw, CPW_FONTOPT_SIZE, run.setup.font_size);

    ball_projection();
    const HorizonSplit split = horizon_split(s.pitch, run.setup.circle);
    glPushMatrix();
    glRotatef(std::isfinite(s.bank) ? -s.bank : 0.0F, 0.0F, 0.0F, 1.0F);
    draw_ball(run, split);
    draw_rotating_marks(s, run);
    draw_ladder(run, split);
    glPopMatrix();
    draw_aircraft(s, run);
    draw_bezel(s, run);
    draw_heading_symbol(s, run);
    draw_wind_arrow(s, run);

    pixel_projection(w, h);
    draw_numbers(s, run, cpw, face, w, h);
    draw_slip(s, w, h);
    draw_g_meter(s, h);
    draw_insect(s, bug, w, h);
    glLineWidth(1.0F);
    s.HOR_Initialized = 1;
}

} // namespace kalveo
