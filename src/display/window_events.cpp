#include "display/window_events.h"

#include "display/bug_reminder.h"
#include "display/display_state.h"
#include "display/event_loop.h"
#include "display/horizon_window.h"
#include "display/instrument_windows.h"
#include "display/polar_chart.h"
#include "display/start_graphics.h"
#include "display/tas_colour.h"
#include "display/text_colours.h"
#include "display/text_layout.h"
#include "display/text_window.h"
#include "display/window_input.h"
#include "report/log.h"

#include <SDL_opengl.h>
#include <string>

namespace kalveo {

namespace {

bool is_text_window(const WindowsRun& s, CpwWindowId id) {
    return static_cast<int>(id) == s.DisWinInfo.id;
}

bool is_horizon_window(const WindowsRun& s, CpwWindowId id) {
    return static_cast<int>(id) == s.HorWinInfo.id;
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

// FNV-1a over the bytes of the values fed to it.
class KeyBuilder {
  public:
    template <typename T> KeyBuilder& add(const T& value) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
        for (std::size_t i = 0; i < sizeof(T); ++i)
            mix(bytes[i]);
        return *this;
    }
    KeyBuilder& add(const std::string& text) {
        for (const char c : text)
            mix(static_cast<unsigned char>(c));
        return add(text.size());
    }
    [[nodiscard]] std::size_t key() const { return hash_; }

  private:
    void mix(unsigned char byte) {
        hash_ ^= byte;
        hash_ *= 1099511628211ULL;
    }
    std::size_t hash_ = 14695981039346656037ULL;
};

} // namespace

std::size_t shown_state_key(const DisplayStateRecord& s) {
    return shown_state_key(s, display_clock());
}

std::size_t shown_state_key(const DisplayStateRecord& s, double now) {
    return KeyBuilder().add(text_state_key(s, now)).add(horizon_state_key(s, now)).key();
}

std::size_t text_state_key(const DisplayStateRecord& s, double now) {
    KeyBuilder k;
    k.add(s.TxtBgd_f).add(s.Polar).add(s.SelectedWindow).add(s.FontSize).add(s.DisVar);
    k.add(s.tas).add(s.IAS).add(s.GS).add(s.vne).add(s.dv2).add(s.wmass).add(s.ywb);
    // The bank enters through the flap colours (no blinking in a steep turn).
    k.add(s.gforce).add(s.evario).add(s.nvario).add(s.ivario_m).add(s.nvario_m);
    k.add(s.modflap).add(s.cflap).add(s.cunit).add(s.buf_tim);
    k.add(s.buf_tsktim).add(s.buf_clk).add(s.buf_walclk).add(s.buf_b).add(s.buf_comp);
    const InstrumentStatus& st = s.status;
    k.add(s.DisVol).add(st.volume).add(st.vne_alarm).add(st.flap_sounds).add(st.margin);
    k.add(run_number(st.netto_average)).add(run_number(st.stopwatch));
    k.add(run_number(st.task_timer)).add(run_number(st.climb_average));
    // The text window's frame, layout and marks.
    k.add(s.GotTAS).add(s.GotPlaneData).add(s.TXT_Initialized).add(s.ChatActive).add(s.Nrec);
    k.add(s.DisWinInfo.width).add(s.DisWinInfo.height).add(s.DisBal).add(s.DisFla);
    k.add(s.HorizontalDisplay).add(s.NumDig).add(s.cflapmax);
    // What blinks or moves with the time: drawn colours rather than the blink phase itself, so
    // that a steady window is not redrawn at the blink rate for nothing.
    k.add(tas_colour(s)).add(flap_colour(s, now)).add(flap_text_colour(s, now));
    if (s.GotTAS == 0) k.add(waiting_text(s.count));
    return k.key();
}

std::size_t horizon_state_key(const DisplayStateRecord& s, double now) {
    KeyBuilder k;
    k.add(s.HorBgd_f).add(s.DrawHorizon).add(s.Polar).add(s.SelectedWindow);
    k.add(s.HorWinInfo.width).add(s.HorWinInfo.height).add(s.HOR_Initialized).add(s.HorFontSize);
    k.add(s.FontSize).add(s.DisHDG).add(s.DisWND).add(s.DisSli).add(s.DisG).add(s.NorthUp);
    k.add(s.ArrTyp).add(s.StdHorizon).add(s.BugWipers).add(s.HorBgdTransp).add(s.ColHDG);
    k.add(s.ColWND).add(s.ColSli).add(s.ColG).add(s.ColGS).add(s.ColIAS);
    k.add(s.bank).add(s.pitch).add(s.slip).add(s.gforce).add(s.GMin).add(s.GMax);
    k.add(s.compass).add(s.WindDir).add(s.WindSpeed).add(s.RelWind);
    k.add(s.HUD_Spd).add(s.tas).add(s.GS).add(tas_colour(s)).add(bug_reminder_shown(s, now));
    if (s.Polar != 0) {
        k.add(s.IAS).add(s.V2Fly).add(s.WaitForVelStabil).add(s.vne).add(s.vmin).add(s.NbPol);
        k.add(s.NbFpl).add(s.DrawPol).add(s.vval).add(s.vvpol);
    }
    return k.key();
}

void window(DisplayStateRecord& s, pCpw cpw, CpwWindowId /*id*/, int flag) {
    if (flag == 1) {
        set_up_gl_state();
        return;
    }
    if (s.WeAreClosing == Closing::yes) return;
    ask_exit(s, cpw);
}

void draw(InstrumentWindows& windows, pCpw cpw, CpwWindowId id) {
    DisplayStateRecord& s = windows.state;
    if (s.Debug != 0) log_printf("Draw window %u %d\n", id, s.count);
    if (is_text_window(s, id)) {
        drawTextWindow(s, cpw, windows.font, windows.text_run);
        if (s.TxtOpa == 0)
            windows.text_see_through.follow_frame(cpw, id, s.DisWinInfo.width, s.DisWinInfo.height,
                                                  s.TxtBgd);
    } else if (is_horizon_window(s, id)) {
        if (s.Polar != 0)
            drawPolHelp(s, cpw, windows.font, windows.horizon_run);
        else if (s.DrawHorizon != 0)
            drawHorWindow(s, cpw, windows.font, windows.horizon_run, &windows.bug);
        if (s.HorBgdTransp != 0)
            windows.horizon_see_through.follow_frame(cpw, id, s.HorWinInfo.width,
                                                     s.HorWinInfo.height, s.HorBgd);
    }
    cpwSwapWindowBuffers(cpw, id);
}

void reshape(DisplayStateRecord& s, pCpw /*cpw*/, CpwWindowId id, int width, int height) {
    if (width == 0) width = 1;
    if (height == 0) height = 1;
    if (is_text_window(s, id)) {
        s.DisWinInfo.width = width;
        s.DisWinInfo.height = height;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    } else if (is_horizon_window(s, id)) {
        s.HorWinInfo.width = width;
        s.HorWinInfo.height = height;
    }
    glViewport(0, 0, width, height);
}

void register_callbacks(InstrumentWindows& windows) {
    pCpw cpw = windows.cpw;
    DisplayStateRecord& s = windows.state;
    cpwCreateCallback(cpw, [&s](pCpw c, CpwWindowId id, int flag) { window(s, c, id, flag); });
    cpwDisplayCallback(cpw, [&windows](pCpw c, CpwWindowId id) { draw(windows, c, id); });
    cpwReshapeCallback(cpw, [&s](pCpw c, CpwWindowId id, int width, int height) {
        reshape(s, c, id, width, height);
    });
    cpwMouseClickCallback(cpw, [&s](pCpw c, CpwWindowId id, int state, int button, int x, int y) {
        mouseclick(s, c, id, state, button, x, y);
    });
}

} // namespace kalveo
