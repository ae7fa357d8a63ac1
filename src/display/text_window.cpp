#include "display/text_window.h"

#include "display/display_log.h"
#include "display/display_state.h"
#include "display/face_colours.h"
#include "display/placement.h"
#include "display/tas_colour.h"
#include "display/text_colours.h"
#include "display/whole_numbers.h"
#include "report/log.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace kalveo {

namespace {

constexpr RgbF kWaitingGrey{0.3F, 0.3F, 0.3F};
constexpr RgbF kChatTeal{0.0F, 0.5F, 0.5F};
constexpr RgbF kBarGrey{0.5F, 0.5F, 0.5F};
constexpr RgbF kVolumeLight{0.75F, 0.75F, 0.75F};
constexpr RgbF kVolumeMid{0.5F, 0.5F, 0.5F};
constexpr RgbF kVolumeDark{0.25F, 0.25F, 0.25F};
constexpr RgbF kRed{1.0F, 0.0F, 0.0F};
constexpr RgbF kMagenta{1.0F, 0.0F, 1.0F};
constexpr float kFrameWidth = 4.0F;
constexpr float kBarOutline = 3.0F;
constexpr float kVolumeBorder = 2.0F;

void set_colour(const RgbF& c) {
    glColor4f(c[0], c[1], c[2], 1.0F);
}

void fill_rect(float x0, float y0, float x1, float y1) {
    glBegin(GL_QUADS);
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
    glEnd();
}

void outline_rect(float x0, float y0, float x1, float y1, float width) {
    glLineWidth(width);
    glBegin(GL_LINE_LOOP);
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
    glEnd();
    glLineWidth(1.0F);
}

/// Text drawing and measuring in the window's font, remembering the colour last set and how
/// far right the text went.
class Pen {
  public:
    Pen(pCpw cpw, CpwFontFace face) : cpw_(cpw), face_(face) {}

    void colour(const RgbF& c) {
        colour_ = c;
        set_colour(c);
    }
    [[nodiscard]] const RgbF& colour() const { return colour_; }

    /// Draws `text` from (x, y) and returns where it ended.
    int text(int x, int y, std::string_view text) {
        if (face_ == nullptr) return x;
        cpw_window_pos(cpw_, static_cast<float>(x), static_cast<float>(y));
        cpwDrawFont(cpw_, face_, text, 1);
        float raster[4] = {0, 0, 0, 0};
        glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
        const int end = static_cast<int>(raster[0]);
        end_ = std::max(end_, end);
        return end;
    }

    [[nodiscard]] int width(std::string_view text) const {
        CpwFontBBox box;
        if (face_ == nullptr || !cpwGetFontBBox(cpw_, face_, text, &box)) return 0;
        return box.width;
    }

    [[nodiscard]] int end() const { return end_; }

  private:
    pCpw cpw_;
    CpwFontFace face_;
    RgbF colour_{};
    int end_ = 0;
};

void set_projection(int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void resize_window(DisplayStateRecord& s, pCpw cpw, int width) {
    log_printf("End Wid %d %d", width, s.DisWinInfo.width);
    log_printf("Wid Hei %d %d", width, s.DisWinInfo.height);
    log_printf("NLi FSi %d %d", s.numlin, s.FontSize);
    const auto id = static_cast<CpwWindowId>(s.DisWinInfo.id);
    cpwReshapeWindow(cpw, width, s.DisWinInfo.height, id);
    s.DisWinInfo.width = width;
    // The position codes were resolved for the old width: a window at the right edge would
    // now stick out of the screen or stand off it.
    s.DisWinInfo = adjust_position(s, s.DisWinInfo, s.DisWinX, s.DisWinY);
    cpwPositionWindow(cpw, s.DisWinInfo.x, s.DisWinInfo.y, id);
}

void lay_out(DisplayStateRecord& s, TextWindowRun& run, pCpw cpw, Pen& pen) {
    pen.colour({1.0F, 1.0F, 1.0F});
    run.layout = lay_out_text(s, [&pen](std::string_view text) { return pen.width(text); });
    for (const std::string& line : run.layout.trace)
        display_console("%s", line.c_str());
    log_printf("Initialize window size");
    if (run.layout.width != s.DisWinInfo.width) resize_window(s, cpw, run.layout.width);
    run.RightMargin = right_margin(s.DisWinInfo.width, s.HoriMargin, run.layout.xwb);
    s.TXT_Initialized = 1;
}

void clear_window(const DisplayStateRecord& s, TextWindowRun& run) {
    const RgbF& bg = s.TxtBgd_f;
    glClearColor(bg[0], bg[1], bg[2], 1.0F);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (run.clear_colour_logged) return;
    run.clear_colour_logged = true;
    float c[4] = {0, 0, 0, 0};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, c);
    log_printf("TEXT CLEAR COLOR");
    log_printf("%f %f %f %f", static_cast<double>(c[0]), static_cast<double>(c[1]),
               static_cast<double>(c[2]), static_cast<double>(c[3]));
    log_printf("%d %d %d", static_cast<int>(std::lround(c[0] * 255.0F)),
               static_cast<int>(std::lround(c[1] * 255.0F)),
               static_cast<int>(std::lround(c[2] * 255.0F)));
}

void draw_selection_frame(const DisplayStateRecord& s, int width, int height) {
    const bool selected = s.SelectedWindow != 0 && s.SelectedWindow == s.DisWinInfo.id;
    if (!selected && s.ChatActive == 0) return;
    set_colour(s.ChatActive != 0 ? kChatTeal : kSelectedOrange);
    // Inset by half the line so that the whole line is inside the window.
    const float half = kFrameWidth / 2.0F;
    outline_rect(half, half, static_cast<float>(width) - half, static_cast<float>(height) - half,
                 kFrameWidth);
}

/// The flap arrow at x_ARR on the line of `baseline`: up for flaps up, down for flaps down.
void draw_arrow(const DisplayStateRecord& s, TextWindowRun& run, int x_ARR, int baseline,
                const RgbF& colour) {
    if (s.modflap != 1 && s.modflap != -1) return;
    const float x0 = static_cast<float>(x_ARR + 1);
    const float x1 = x0 + static_cast<float>(run.layout.NumWid);
    const float xm = (x0 + x1) / 2.0F;
    const float y0 = static_cast<float>(baseline - s.VertMargin);
    const float y1 = y0 + static_cast<float>(s.FontSize);
    set_colour(colour);
    glBegin(GL_TRIANGLES);
    if (s.modflap == 1) {
        glVertex2f(x0, y0);
        glVertex2f(x1, y0);
        glVertex2f(xm, y1);
    } else {
        glVertex2f(x0, y1);
        glVertex2f(x1, y1);
        glVertex2f(xm, y0);
    }
    glEnd();
}

/// The flap arrow after a field that has one, while an advice is pending.
void draw_field_arrow(const DisplayStateRecord& s, TextWindowRun& run, const StripField& row,
                      int baseline, double now) {
    if (row.arrow && s.DisFla == 1 && s.modflap != 0)
        draw_arrow(s, run, run.layout.x_ARR, baseline, flap_colour(s, now));
}

std::string joined(std::string_view first, std::string_view second) {
    std::string text(first);
    text += second;
    return text;
}

int label_width(const Pen& pen, std::string_view label) {
    return label.empty() ? 0 : pen.width(label);
}

// One line: every field on one baseline at its column.
void draw_line(const DisplayStateRecord& s, TextWindowRun& run, Pen& pen) {
    const TextLayout& l = run.layout;
    const double now = display_clock();
    const int y = 2 * s.VertMargin;
    pen.colour(tas_colour(s));
    for (const TextField field : line_fields(s)) {
        const StripField& row = strip_field(field);
        if (row.colour != nullptr) pen.colour(row.colour(s, now));
        const int x = l.*row.x;
        switch (row.format) {
        case FieldFormat::Whole: {
            const int value = row.whole(s);
            if (!row.label.empty()) pen.text(x, y, row.label);
            pen.text(x + label_width(pen, row.label) + Padding(value) * l.NumWid, y,
                     int_text(value));
            break;
        }
        case FieldFormat::Signed: {
            const SignedText value = signed_field_text(row, s, l.formats);
            const int after = pen.text(x, y, value.label);
            pen.text(after + (value.shift ? l.NumWid : 0), y, value.text);
            break;
        }
        case FieldFormat::Text:
            pen.text(x, y, joined(row.label, row.text(s)));
            draw_field_arrow(s, run, row, y, now);
            break;
        case FieldFormat::Time: {
            // On the line a time follows its label after a space.
            std::string text = row.label.empty() ? std::string() : joined(row.label, " ");
            text += row.text(s);
            pen.text(x, y, text);
            break;
        }
        }
    }
}

// One value per line, from the bottom up; labelled values against RightMargin.
void draw_column(const DisplayStateRecord& s, TextWindowRun& run, Pen& pen) {
    const TextLayout& l = run.layout;
    const double now = display_clock();
    const int left = s.HoriMargin;
    const int right = run.RightMargin;
    pen.colour(tas_colour(s));
    int line = 0;
    for (const TextField field : column_fields(s)) {
        const StripField& row = strip_field(field);
        const int y = line_baseline(line++, s.FontSize, s.VertMargin);
        if (row.colour != nullptr) pen.colour(row.colour(s, now));
        switch (row.format) {
        case FieldFormat::Whole: {
            const int value = row.whole(s);
            if (row.label.empty()) {
                pen.text(left + Padding(value) * l.NumWid, y, int_text(value));
            } else {
                pen.text(left, y, row.label);
                pen.text(right + (Padding(value) - 3) * l.NumWid, y, int_text(value));
            }
            break;
        }
        case FieldFormat::Signed: {
            // The number ends at RightMargin: its template's width back from it.
            const SignedText value = signed_field_text(row, s, l.formats);
            pen.text(left, y, value.label);
            if (value.whole) {
                pen.text(right - pen.width(value.text), y, value.text);
                break;
            }
            const int back = !value.text.empty() && value.text[0] == '-' ? l.dp_minus : l.dp_plus;
            pen.text(right - back + (value.shift ? l.NumWid : 0), y, value.text);
            break;
        }
        case FieldFormat::Text:
            pen.text(left, y, joined(row.label, row.text(s)));
            draw_field_arrow(s, run, row, y, now);
            break;
        case FieldFormat::Time:
            if (!row.label.empty()) pen.text(left, y, row.label);
            pen.text(right - l.tim_wid, y, row.text(s));
            break;
        }
    }
}

void draw_waiting_text(const DisplayStateRecord& s, Pen& pen) {
    pen.colour(kWaitingGrey);
    pen.text(s.HoriMargin, 2 * s.VertMargin, waiting_text(s.count));
}

void draw_ballast_bar(const DisplayStateRecord& s, TextWindowRun& run, int width, int height) {
    if ((s.DisBal & 2) == 0 || run.layout.xwb <= 0) return;
    const auto x0 = static_cast<float>(width - run.layout.xwb);
    const auto x1 = static_cast<float>(width);
    const auto top = static_cast<float>(height);
    const auto level = static_cast<float>(std::clamp(s.ywb, 0, height));
    set_colour(s.ColWB0);
    fill_rect(x0, 0.0F, x1, level);
    set_colour(kBarGrey);
    fill_rect(x0, level, x1, top);
    set_colour(kBlack);
    outline_rect(x0, 0.0F, x1, top, kBarOutline);
}

void draw_volume(const DisplayStateRecord& s, TextWindowRun& run, Pen& pen) {
    if (s.DisVol == 0) return;
    const int num_wid = run.layout.NumWid > 0 ? run.layout.NumWid : pen.width("0");
    const int w = 3 * num_wid + 2 * s.HoriMargin;
    const int h = s.FontSize + s.VertMargin;
    const float volume = std::clamp(s.status.volume, 0.0F, 1.0F);
    const auto fw = static_cast<float>(w);
    const auto fh = static_cast<float>(h);
    set_colour(kVolumeLight);
    fill_rect(0.0F, 0.0F, fw, fh);
    set_colour(kVolumeMid);
    glBegin(GL_TRIANGLES);
    glVertex2f(0.0F, 0.0F);
    glVertex2f(fw, 0.0F);
    glVertex2f(fw, fh);
    glEnd();
    set_colour(kVolumeDark);
    const auto vx = static_cast<float>(static_cast<int>(fw * volume));
    const auto vy = static_cast<float>(static_cast<int>(fh * volume));
    glBegin(GL_TRIANGLES);
    glVertex2f(0.0F, 0.0F);
    glVertex2f(vx, 0.0F);
    glVertex2f(vx, vy);
    glEnd();
    outline_rect(1.0F, 1.0F, fw - 1.0F, fh - 1.0F, kVolumeBorder);
    const int percent = static_cast<int>(volume * 100.0F);
    pen.colour(kRed);
    pen.text(s.HoriMargin + Padding(percent) * num_wid, s.VertMargin, int_text(percent));
}

void draw_status_mark(const DisplayStateRecord& s, TextWindowRun& run, int width, int height) {
    if (s.Nrec == 0) return;
    set_colour(s.Nrec == 1 ? kRed : kMagenta);
    const int t = status_mark_size(s.FontSize, s.HoriMargin, s.VertMargin);
    const int right = width - run.layout.xwb;
    fill_rect(static_cast<float>(right - t), static_cast<float>(height - t),
              static_cast<float>(right - s.HoriMargin), static_cast<float>(height - s.HoriMargin));
}

void check_text_fits(const DisplayStateRecord& s, TextWindowRun& run, int end, int width) {
    if (width >= end - s.HoriMargin / 2) return;
    if (end == run.logged_end && width == run.logged_width) return;
    run.logged_end = end;
    run.logged_width = width;
    log_printf("End Wid %d %d", end, width);
}

} // namespace

void drawTextWindow(DisplayStateRecord& s, pCpw cpw, CpwFontFace face, TextWindowRun& run) {
    if (s.TXT_Initialized == 0) run.layout = {};
    set_projection(s.DisWinInfo.width, s.DisWinInfo.height);
    cpwFontMode(cpw, CPW_FONTOPT_SIZE, s.FontSize);
    Pen pen(cpw, face);
    if (s.TXT_Initialized == 0 && s.GotPlaneData == 1) lay_out(s, run, cpw, pen);
    // The size the window has now, which a resize above changes only from the next frame.
    const int width = s.DisWinInfo.width;
    const int height = s.DisWinInfo.height;

    clear_window(s, run);
    draw_selection_frame(s, width, height);
    // Until the flight is laid out there is nothing to place the values by.
    const bool with_data = s.GotTAS != 0 && s.TXT_Initialized != 0;
    if (!with_data) {
        draw_waiting_text(s, pen);
    } else if (s.HorizontalDisplay != 0) {
        draw_line(s, run, pen);
    } else {
        draw_column(s, run, pen);
    }
    if (with_data) draw_ballast_bar(s, run, width, height);
    draw_volume(s, run, pen);
    draw_status_mark(s, run, width, height);
    if (with_data) check_text_fits(s, run, pen.end(), width);
    glPopMatrix();
}

} // namespace kalveo
