// The text window as the pilot sees it, drawn by the real drawing code with the shipped font
// on the test's own X server and read back: the numbers by character recognition (tesseract),
// the colours pixel by pixel.
#include "display/display_state.h"
#include "display/event_loop.h"
#include "display/placement.h"
#include "display/start_graphics.h"
#include "display/text_window.h"
#include "display/window_events.h"
#include "platform/process.h"
#include "xvfb_fixture.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

namespace kalveo::testing {
namespace {

struct Frame {
    int count = 0;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb; ///< bottom row first, as GL reads it

    [[nodiscard]] std::array<int, 3> at(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

bool near(const std::array<int, 3>& p, const std::array<int, 3>& want, int tolerance = 6) {
    for (int i = 0; i < 3; ++i)
        if (std::abs(p[i] - want[i]) > tolerance) return false;
    return true;
}

/// Pixels of `colour` in the part of the frame from (x0, y0) to (x1, y1) (GL: from the bottom).
int pixels_in(const Frame& f, const std::array<int, 3>& colour, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = std::max(y0, 0); y < std::min(y1, f.height); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, f.width); ++x)
            n += near(f.at(x, y), colour) ? 1 : 0;
    return n;
}

class TextWindowTest : public XvfbTest {
  protected:
    void SetUp() override {
        XvfbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        DisplayStateRecord& s = display;
        s.StopWait = -2; // no simulator to ask about
        s.KbdHookEnabled = 0;
        s.VertMargin = vert_margin_for(s.FontSize);
        s.DisWinInfo.width = 14 * s.FontSize;
        s.DisWinInfo.height = ComputeHeight(s);
        s.TxtBgd_f = ConvertColor(130 * 65536 + 180 * 256 + 230);
        s.ScreenWidth = cpwGet(cpw, CPW_SCREEN_WIDTH);
        s.ScreenHeight = cpwGet(cpw, CPW_SCREEN_HEIGHT);
        for (int* field : {&s.DisVNE, &s.DisVA1, &s.DisBal, &s.DisUni, &s.DisNet, &s.DisNet_I,
                           &s.DisInt_I, &s.DisTim, &s.DisTskTim, &s.DisClk, &s.DisWalClk, &s.DisIAS,
                           &s.DisTAS, &s.DisGS, &s.DisG, &s.DisFla})
            *field = 0;
        cpwInitWindowProperty(cpw, CPW_WINDOWPROP_SIZE, s.DisWinInfo.width, s.DisWinInfo.height);
        cpwInitWindowProperty(cpw, CPW_WINDOWPROP_POSITION, 0, 0);
        s.DisWinInfo.id = static_cast<int>(cpwCreateWindow(cpw, "Kalveo - Display"));
        ASSERT_NE(s.DisWinInfo.id, 0);
        s.HorWinInfo.id = 0;
        windows_.cpw = cpw;
        cpwFontMode(cpw, CPW_FONTOPT_SIZE, s.FontSize);
        cpwFontMode(cpw, CPW_FONTOPT_KERN, 1);
        cpwFontMode(cpw, CPW_FONTOPT_PIXELMAP_GLFORMAT, CPW_GL_RGBA);
        windows_.font = cpwLoadFont(cpw, "arialbd.ttf", CPW_FONTLOC_HOST, "");
        ASSERT_NE(windows_.font, nullptr);
        cpwCreateCallback(cpw, [&s](pCpw c, CpwWindowId id, int flag) { window(s, c, id, flag); });
        cpwReshapeCallback(cpw, [&s](pCpw c, CpwWindowId id, int width, int height) {
            reshape(s, c, id, width, height);
        });
        capture_frames();
    }

    void TearDown() override {
        if (cpw != nullptr) {
            cpwTimerCallback(cpw, 0, kTimerId, 0, nullptr);
            cpwTimerCallback(cpw, 0, kOwnTimer, 0, nullptr);
        }
        XvfbTest::TearDown();
    }

    /// The drawing code of the program, with the frame read back before it is shown.
    void capture_frames() {
        cpwDisplayCallback(cpw, [this](pCpw c, CpwWindowId w) {
            drawTextWindow(display, c, windows_.font, windows_.text_run);
            Frame f;
            f.count = display.count;
            f.width = display.DisWinInfo.width;
            f.height = display.DisWinInfo.height;
            f.rgb.resize(static_cast<std::size_t>(f.width) * f.height * 3);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadPixels(0, 0, f.width, f.height, GL_RGB, GL_UNSIGNED_BYTE, f.rgb.data());
            frames_.push_back(std::move(f));
            cpwSwapWindowBuffers(c, w);
        });
    }

    /// A flight as the core announces it: VNE and margins in display units, and the unit.
    void fly(int vne, int dv1, int dv2, const char* unit, int flaps = 0, int wmass_max = 0,
             int wmass = 0) {
        FlightLayout opt;
        opt.vne = vne;
        opt.dv1 = dv1;
        opt.dv2 = dv2;
        opt.flap_mode = flaps;
        opt.max_water = wmass_max;
        opt.water = wmass;
        UpdVNE(display, opt, flaps != 0 ? "L" : "", unit, &windows_);
        display.GotTAS = 1;
    }

    /// Draws until the window shows a frame at its laid-out size; returns that frame.
    Frame settled_frame() {
        frames_.clear();
        cpwTimerCallback(cpw, 25, kOwnTimer, 1, [this](pCpw c, int) {
            const DisplayStateRecord& s = display;
            int w = 0;
            int h = 0;
            SDL_GetWindowSize(cpw_sdl_window(c, static_cast<CpwWindowId>(s.DisWinInfo.id)), &w, &h);
            const bool settled = s.TXT_Initialized != 0 && w == s.DisWinInfo.width &&
                                 h == s.DisWinInfo.height && frames_.size() >= 2;
            if (settled && frames_.back().width == w) {
                cpwBreakMainLoop(c);
                return;
            }
            cpwPostRedisplay(c);
        });
        run_loop();
        cpwTimerCallback(cpw, 0, kOwnTimer, 0, nullptr);
        return frames_.empty() ? Frame{} : frames_.back();
    }

    /// One frame of the window as it is now.
    Frame one_frame() {
        frames_.clear();
        cpwTimerCallback(cpw, 25, kOwnTimer, 1, [this](pCpw c, int) {
            if (!frames_.empty()) {
                cpwBreakMainLoop(c);
                return;
            }
            cpwPostRedisplay(c);
        });
        run_loop();
        cpwTimerCallback(cpw, 0, kOwnTimer, 0, nullptr);
        return frames_.empty() ? Frame{} : frames_.back();
    }

    /// What tesseract reads in the frame (page segmentation `psm`: 7 one line, 6 a block).
    std::string read_text(const Frame& f, const char* psm) {
        const std::filesystem::path image = dir_ / "frame.ppm";
        {
            std::ofstream out(image, std::ios::binary);
            out << "P6\n" << f.width << " " << f.height << "\n255\n";
            for (int y = f.height - 1; y >= 0; --y)
                out.write(reinterpret_cast<const char*>(
                              &f.rgb[static_cast<std::size_t>(y) * f.width * 3]),
                          static_cast<std::streamsize>(f.width) * 3);
        }
        std::string text;
        const int status = run_program_capture(
            {"tesseract", image.string(), "stdout", "--psm", psm, "-l", "eng"}, text);
        if (status != 0) ADD_FAILURE() << "tesseract did not run: " << status;
        return text;
    }

    static constexpr int kOwnTimer = 7;
    InstrumentWindows windows_;
    DisplayStateRecord& display = windows_.state;
    std::vector<Frame> frames_;
    TempDir dir_;
};

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

TEST_F(TextWindowTest, OneLineShowsTheSpeedsAndUnitInOrderAsSent) {
    DisplayStateRecord& s = display;
    s.DisIAS = s.DisTAS = s.DisVA1 = s.DisVNE = s.DisUni = 1;
    fly(250, 17, 20, "km/h");
    s.IAS = 137;
    s.tas = 152;
    const Frame f = settled_frame();
    ASSERT_GT(f.width, 0);
    EXPECT_EQ(words(read_text(f, "7")),
              (std::vector<std::string>{"137", "152", "233", "250", "km/h"}));
    // The layout made the window as wide as the strip, and kept it at the right edge.
    EXPECT_LT(f.width, 14 * s.FontSize);
    EXPECT_EQ(s.DisWinInfo.x, s.ScreenWidth - f.width);
}

TEST_F(TextWindowTest, ColumnStacksTheFieldsUpwardsFromTheUnit) {
    DisplayStateRecord& s = display;
    s.HorizontalDisplay = 0;
    s.DisTAS = s.DisIAS = s.DisGS = s.DisVA1 = s.DisVNE = s.DisUni = s.DisNet = 1;
    s.DisClk = 1;
    fly(188, 11, 20, "kt");
    s.tas = 111;
    s.IAS = 122;
    s.GS = 133;
    s.nvario = -3.4F;
    s.buf_clk = "14:25:36";
    const Frame f = settled_frame();
    ASSERT_GT(f.height, 7 * s.FontSize);
    // Read top down: the last field first, the unit at the bottom.
    const std::vector<std::string> got = words(read_text(f, "6"));
    EXPECT_EQ(got, (std::vector<std::string>{"14:25:36", "n:", "-3.4", "188", "177", "133", "122",
                                             "111", "kt"}));
}

// The colours of the TAS at the blink phases of the frames the program itself asks for.
TEST_F(TextWindowTest, TasNearVneIsRedrawnBlackAndWarningAtEachBlinkPhase) {
    DisplayStateRecord& s = display;
    s.DisTAS = 1;
    fly(280, 10, 20, "km/h");
    s.tas = 275; // brightness 0.5 + 5 × 0.5 / 20 = 0.625 of (1, 0.5, 0.5)
    settled_frame();
    frames_.clear();
    register_callbacks(windows_);
    // The windows' part of the program's tick decides when to draw.
    cpwTimerCallback(cpw, kTimerPeriodMs, kTimerId, 1,
                     [this](pCpw, int) { advance_windows(windows_, display_clock()); });
    capture_frames();
    cpwTimerCallback(cpw, 1200, kOwnTimer, 0, [](pCpw c, int) { cpwBreakMainLoop(c); });
    run_loop();

    // Every frame in the colour of its blink phase, and no phase without a frame.
    const std::array<int, 3> warning{159, 79, 79};
    const std::array<int, 3> black{0, 0, 0};
    std::set<int> phases;
    for (const Frame& f : frames_) {
        const bool lit = blink_phase(f.count) == 1;
        EXPECT_GT(pixels_in(f, lit ? warning : black, 0, 0, f.width, f.height), 40) << f.count;
        EXPECT_EQ(pixels_in(f, lit ? black : warning, 0, 0, f.width, f.height), 0) << f.count;
        phases.insert((f.count + 2) / 4); // the phases turn at ticks 2, 6, 10, ...
    }
    ASSERT_GE(phases.size(), 8U) << "frames: " << frames_.size();
    EXPECT_EQ(*phases.rbegin() - *phases.begin() + 1, static_cast<int>(phases.size()));
}

TEST_F(TextWindowTest, MarksBallastBarAndFlapArrowAppearWhereThePilotLooks) {
    DisplayStateRecord& s = display;
    s.BallastSetting = 3;
    s.DisTAS = s.DisFla = 1;
    fly(280, 10, 20, "km/h", 1, 200, 100);
    UpdFlp(display, "L", 1);
    s.LastFlapUpdate = -1000.0; // an old advice: the arrow stands still in ColFlap0
    s.SelectedWindow = s.DisWinInfo.id;
    s.Nrec = 1;
    s.DisVol = 1;
    s.status.volume = 0.8F;
    const Frame f = settled_frame();
    const int w = f.width;
    const int h = f.height;
    const int bar = windows_.text_run.layout.xwb;
    ASSERT_GT(bar, 5);
    // The ballast bar at the right edge: the lower half in the ballast colour, the rest grey.
    EXPECT_GT(pixels_in(f, {127, 255, 255}, w - bar, 3, w - 3, h / 2 - 2), (bar - 6) * 4);
    EXPECT_GT(pixels_in(f, {127, 127, 127}, w - bar, h / 2 + 2, w - 3, h - 5), (bar - 6) * 4);
    // Orange frame along the edges, the red recording mark left of the bar at the top.
    EXPECT_GT(pixels_in(f, {255, 127, 0}, 0, 0, w - bar, 4), (w - bar) / 2);
    EXPECT_GT(pixels_in(f, {255, 0, 0}, w - bar - 30, h / 2, w - bar, h), 20);
    // The volume box at the bottom left with the volume in red.
    const int num_wid = windows_.text_run.layout.NumWid;
    EXPECT_GT(pixels_in(f, {191, 191, 191}, 0, 0, 3 * num_wid, h), 20);
    EXPECT_GT(pixels_in(f, {255, 0, 0}, 0, 0, 3 * num_wid + 16, h), 20);
    // The flap arrow after the flap text, in the flap colour (0, 0.5, 0), point up.
    const int arrow = windows_.text_run.layout.x_ARR;
    const int base = pixels_in(f, {0, 127, 0}, arrow, 0, arrow + num_wid + 2, h / 2);
    const int point = pixels_in(f, {0, 127, 0}, arrow, h / 2, arrow + num_wid + 2, h);
    EXPECT_GT(base, point);
    EXPECT_GT(point, 0);

    // While the chat is open the frame turns teal; netto mode marks magenta.
    s.ChatActive = 1;
    s.Nrec = 2;
    const Frame chat = one_frame();
    EXPECT_EQ(pixels_in(chat, {255, 127, 0}, 0, 0, w, h), 0);
    EXPECT_GT(pixels_in(chat, {0, 127, 127}, 0, 0, w - bar, 4), (w - bar) / 2);
    EXPECT_GT(pixels_in(chat, {255, 0, 255}, w - bar - 30, h / 2, w - bar, h), 20);
}

TEST_F(TextWindowTest, WaitingTextGrowsAndShrinksBeforeTheFirstDatagram) {
    DisplayStateRecord& s = display;
    std::vector<int> ends;
    for (int step = 0; step <= 24; ++step) {
        s.count = step * 20;
        const Frame f = one_frame();
        int end = 0;
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < f.width; ++x)
                if (near(f.at(x, y), {77, 77, 77}, 4)) end = std::max(end, x);
        ends.push_back(end);
    }
    for (int step = 1; step <= 12; ++step)
        EXPECT_GT(ends[step], ends[step - 1]) << step;
    for (int step = 13; step <= 24; ++step)
        EXPECT_LT(ends[step], ends[step - 1]) << step;
    EXPECT_EQ(ends[24], ends[0]);
}

} // namespace
} // namespace kalveo::testing
