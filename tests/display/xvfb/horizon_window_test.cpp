// The horizon window as the pilot sees it, drawn by the real drawing code on the test's own X
// server and read back: sky, ground and horizon line by their colours inside the ball, the wind
// arrow by where it makes the picture bluer, the insect picture by its timing, and the polar
// chart in polar mode.
#include "display/display_state.h"
#include "display/horizon_window.h"
#include "display/polar_chart.h"
#include "display/window_events.h"
#include "support/test_files.h"
#include "xvfb_fixture.h"

#include <SDL_opengl.h>
#include <cmath>
#include <functional>
#include <vector>

namespace kalveo::testing {
namespace {

using Pixel = std::array<int, 3>;
constexpr Pixel kSkyPx{111, 161, 207};
constexpr Pixel kGroundPx{103, 89, 68};
constexpr int kSize = 234; // 1 ball unit = 100 pixels
constexpr double kPi = 3.14159265358979323846;

bool near(const Pixel& p, const Pixel& want, int tolerance = 8) {
    for (int i = 0; i < 3; ++i)
        if (std::abs(p[i] - want[i]) > tolerance) return false;
    return true;
}

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb; ///< bottom row first

    [[nodiscard]] Pixel px(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
    /// The pixel at a point in ball units (y up, 1 = the ball's radius without the bezel).
    [[nodiscard]] Pixel at(double bx, double by) const {
        const double k = width / 2.0 * 100.0 / 117.0;
        return px(static_cast<int>(std::lround(width / 2.0 + bx * k)),
                  static_cast<int>(std::lround(height / 2.0 + by * k)));
    }
};

/// How much bluer a pixel got than the same pixel of another frame.
int bluer(const Pixel& with, const Pixel& without) {
    const auto blueness = [](const Pixel& p) { return p[2] - (p[0] + p[1]) / 2; };
    return blueness(with) - blueness(without);
}

class HorizonWindowTest : public XvfbTest {
  protected:
    void SetUp() override {
        XvfbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        DisplayStateRecord& s = display;
        s.DrawHorizon = 1;
        s.HorWinInfo.width = s.HorWinInfo.height = kSize;
        s.HorBgd_f = ConvertColor(0x82B4E6);
        s.DisHDG = s.DisWND = s.DisSli = s.DisG = 0;
        s.HUD_Spd = 0;
        s.ColWND = {0.0F, 0.0F, 1.0F};
        cpwInitWindowProperty(cpw, CPW_WINDOWPROP_SIZE, kSize, kSize);
        cpwInitWindowProperty(cpw, CPW_WINDOWPROP_POSITION, 0, 0);
        s.HorWinInfo.id = static_cast<int>(cpwCreateWindow(cpw, "Kalveo - Horizon"));
        ASSERT_NE(s.HorWinInfo.id, 0);
        s.DisWinInfo.id = 0;
        windows_.cpw = cpw;
        cpwFontMode(cpw, CPW_FONTOPT_PIXELMAP_GLFORMAT, CPW_GL_RGBA);
        windows_.font = cpwLoadFont(cpw, "arialbd.ttf", CPW_FONTLOC_HOST, "");
        ASSERT_NE(windows_.font, nullptr);
        // The program's GL state: blending, smooth lines.
        cpwCreateCallback(cpw, [&s](pCpw c, CpwWindowId id, int flag) { window(s, c, id, flag); });
        cpwReshapeCallback(cpw, [&s](pCpw c, CpwWindowId id, int width, int height) {
            reshape(s, c, id, width, height);
        });
    }

    void TearDown() override {
        if (cpw != nullptr) cpwTimerCallback(cpw, 0, kOwnTimer, 0, nullptr);
        XvfbTest::TearDown();
    }

    /// One frame drawn by the program's drawing code and read back before it is shown.
    Frame frame(bool polar = false) {
        Frame f;
        cpwDisplayCallback(cpw, [this, &f, polar](pCpw c, CpwWindowId w) {
            if (!f.rgb.empty()) return;
            if (polar)
                drawPolHelp(display, c, windows_.font, windows_.horizon_run);
            else
                drawHorWindow(display, c, windows_.font, windows_.horizon_run, &windows_.bug);
            f.width = f.height = kSize;
            f.rgb.resize(static_cast<std::size_t>(kSize) * kSize * 3);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, f.rgb.data());
            cpwSwapWindowBuffers(c, w);
        });
        cpwTimerCallback(cpw, 25, kOwnTimer, 1, [&f](pCpw c, int) {
            if (f.rgb.empty())
                cpwPostRedisplay(c);
            else
                cpwBreakMainLoop(c);
        });
        run_loop();
        cpwTimerCallback(cpw, 0, kOwnTimer, 0, nullptr);
        return f;
    }

    /// Counts sky and ground pixels on rings inside the ball, clear of the bezel.
    std::pair<int, int> sky_and_ground(const Frame& f) {
        int sky = 0;
        int ground = 0;
        for (double r = 0.45; r <= 0.9; r += 0.15)
            for (int a = 0; a < 360; a += 10) {
                const Pixel p = f.at(r * std::cos(a * kPi / 180), r * std::sin(a * kPi / 180));
                sky += near(p, kSkyPx);
                ground += near(p, kGroundPx);
            }
        return {sky, ground};
    }

    static constexpr int kOwnTimer = 7;
    InstrumentWindows windows_;
    DisplayStateRecord& display = windows_.state;
};

TEST_F(HorizonWindowTest, FortyFiveDegreesNoseUpIsAllSkyAndNoseDownAllGround) {
    DisplayStateRecord& s = display;
    for (const int style : {0, 1}) {
        s.StdHorizon = style;
        s.HOR_Initialized = 0;
        s.pitch = 45.0F;
        const auto [sky_up, ground_up] = sky_and_ground(frame());
        EXPECT_GT(sky_up, 4 * 36 * 9 / 10) << style; // ladder lines may cross a few samples
        EXPECT_EQ(ground_up, 0) << style;
        s.pitch = -45.0F;
        const auto [sky_down, ground_down] = sky_and_ground(frame());
        EXPECT_GT(ground_down, 4 * 36 * 9 / 10) << style;
        EXPECT_EQ(sky_down, 0) << style;
    }
}

TEST_F(HorizonWindowTest, HorizonLineIsLevelThroughTheCentreAndTurnsWithTheBank) {
    DisplayStateRecord& s = display;
    struct Case {
        float bank;
        float pitch;
    };
    for (const Case c : {Case{0, 0}, Case{30, 0}, Case{-50, 0}, Case{20, 8}}) {
        s.bank = c.bank;
        s.pitch = c.pitch;
        const Frame f = frame();
        // The line turns by -bank (clockwise for a positive bank) and moves down by tan(pitch).
        const double a = -c.bank * kPi / 180.0;
        const double offset = -std::tan(c.pitch * kPi / 180.0);
        const double ux = std::cos(a), uy = std::sin(a); // along the line
        const double nx = -uy, ny = ux;                  // towards the sky
        for (const double t : {-0.75, -0.55, 0.55, 0.75}) {
            const double x = t * ux + offset * nx;
            const double y = t * uy + offset * ny;
            EXPECT_TRUE(near(f.at(x + 0.05 * nx, y + 0.05 * ny), kSkyPx))
                << c.bank << " " << c.pitch << " at " << t;
            EXPECT_TRUE(near(f.at(x - 0.05 * nx, y - 0.05 * ny), kGroundPx))
                << c.bank << " " << c.pitch << " at " << t;
        }
    }
}

TEST_F(HorizonWindowTest, WindArrowPointsWhereTheWindBlowsNorthUpAndHeadingUp) {
    DisplayStateRecord& s = display;
    s.pitch = -20.0F; // the line well above the arrow's path: ground behind it
    s.WindSpeed = 60.0F;
    s.compass = 90.0F;
    s.WindDir = 90.0F; // blowing towards the east
    struct Case {
        int north_up;
        double ux, uy; // where the arrow points on the screen
    };
    // North up: east is to the right. Heading up, flying east with the wind: straight ahead.
    for (const Case c : {Case{1, 1, 0}, Case{0, 0, 1}}) {
        s.NorthUp = c.north_up;
        s.DisWND = 0;
        const Frame plain = frame();
        s.DisWND = 2;
        const Frame f = frame();
        EXPECT_EQ(s.RelWind, 0.0F);
        // Along the arrow's shaft, upwind of the centre; nothing downwind.
        const auto blue_at = [&](double along, double across) {
            const double x = along * c.ux - across * c.uy;
            const double y = along * c.uy + across * c.ux;
            return bluer(f.at(x, y), plain.at(x, y));
        };
        EXPECT_GT(blue_at(-0.45, 0.0), 40) << c.north_up;
        EXPECT_LT(blue_at(0.45, 0.0), 10) << c.north_up;
        // The barbs spread at the tail, the point is narrow: it points downwind.
        EXPECT_GT(blue_at(-0.75, 0.12), 40) << c.north_up;
        EXPECT_GT(blue_at(-0.75, -0.12), 40) << c.north_up;
        EXPECT_LT(blue_at(-0.25, 0.12), 10) << c.north_up;
    }
    // Heading north with the same wind, heading up: the wind blows to the pilot's right.
    s.compass = 0.0F;
    s.NorthUp = 0;
    s.DisWND = 0;
    const Frame plain = frame();
    s.DisWND = 2;
    const Frame f = frame();
    EXPECT_EQ(s.RelWind, -90.0F);
    EXPECT_GT(bluer(f.at(-0.45, 0.0), plain.at(-0.45, 0.0)), 40);
    EXPECT_LT(bluer(f.at(0.0, -0.45), plain.at(0.0, -0.45)), 10);
}

TEST_F(HorizonWindowTest, InsectPictureBlinksForAMinuteAfterFiveMinutesOfThermalling) {
    DisplayStateRecord& s = display;
    windows_.bug.file = std::string(KALVEO_SOURCE_DATA) + "/moustique.bmp";
    load_bug(windows_);
    ASSERT_NE(windows_.bug.texture, 0U);
    s.BugWipers = 1;
    s.MinThTurns = 2.0F;
    s.ThTurns = 3.0F;
    const double now = display_clock();
    // The picture's 64 x 64 pixels in the middle, against the same frame without it.
    const auto changed = [](const Frame& with, const Frame& without) {
        int n = 0;
        for (int y = kSize / 2 - 30; y < kSize / 2 + 30; y += 3)
            for (int x = kSize / 2 - 30; x < kSize / 2 + 30; x += 3)
                n += !near(with.px(x, y), without.px(x, y), 3);
        return n;
    };
    s.BW_Time = now; // just wiped
    s.blink = 1;
    const Frame clean = frame();
    EXPECT_EQ(s.BW_WrnTime, 0.0);

    s.BW_Time = now - 301.0;
    s.blink = 1;
    const Frame lit = frame();
    EXPECT_GT(changed(lit, clean), 200);
    EXPECT_GE(s.BW_WrnTime, now); // the minute of warning started
    s.blink = 0;
    EXPECT_EQ(changed(frame(), clean), 0);

    s.BW_WrnTime = now - 61.0; // the minute is over
    s.blink = 1;
    EXPECT_EQ(changed(frame(), clean), 0);

    s.ThTurns = 1.0F; // no longer thermalling: the warning is cleared for next time
    frame();
    EXPECT_EQ(s.BW_WrnTime, 0.0);
}

TEST_F(HorizonWindowTest, PolarModeShowsTheChartInsteadOfTheBall) {
    DisplayStateRecord& s = display;
    s.Polar = 1;
    s.vval.fill(0.0F);
    s.vmin = 20.0F;
    s.vne = 250;
    s.IAS = 90;
    // The reference polar: sink growing with speed, and two points flown.
    s.NbFpl = 120;
    for (int i = 100; i < 120; ++i) {
        const float v = 20.0F + static_cast<float>(i - 100);
        s.vvpol[static_cast<std::size_t>(i)] = {v, -0.6F - 0.002F * (v - 20.0F) * (v - 20.0F)};
    }
    s.vvpol[0] = {25.0F, -0.7F};
    s.vvpol[1] = {30.0F, -0.9F};
    s.NbPol = 2;
    s.DrawPol = 1;
    for (int i = 0; i < kSpeedTrace; ++i)
        s.vval[static_cast<std::size_t>(i)] = 0.5F; // a steady speed: a level trace
    // Lines are smoothed into the white: colours are told by which components stand out.
    const auto count = [](const Frame& f, const std::function<bool(const Pixel&)>& is) {
        int n = 0;
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < f.width; ++x)
                n += is(f.px(x, y));
        return n;
    };
    const auto exactly = [](const Pixel& c) { return [c](const Pixel& p) { return near(p, c); }; };
    const auto green = [](const Pixel& p) { return p[1] - p[0] > 60 && p[1] - p[2] > 60; };
    const auto orange = [](const Pixel& p) { return p[0] - p[2] > 80 && p[0] - p[1] > 30; };
    const auto purple = [](const Pixel& p) { return p[0] - p[1] > 40 && p[2] - p[1] > 40; };
    const auto cyan = [](const Pixel& p) { return p[1] - p[0] > 60 && p[2] - p[0] > 60; };
    const auto dark = [](const Pixel& p) { return p[0] < 100 && p[1] < 100 && p[2] < 100; };
    for (const int waiting : {0, 1}) {
        s.WaitForVelStabil = waiting;
        const Frame f = frame(true);
        EXPECT_EQ(count(f, exactly(kSkyPx)), 0);
        EXPECT_EQ(count(f, exactly(kGroundPx)), 0);
        EXPECT_GT(count(f, exactly({255, 255, 255})), kSize * kSize / 2);
        // The steady-speed trace: green, orange while the program waits for a steady speed.
        EXPECT_GT(count(f, waiting != 0 ? orange : green), kSize / 2) << waiting;
        EXPECT_LT(count(f, waiting != 0 ? green : orange), 5) << waiting;
        EXPECT_GT(count(f, purple), 10);      // the points flown
        EXPECT_GT(count(f, cyan), 20);        // the speed flown now
        EXPECT_GT(count(f, dark), kSize / 2); // the reference polar
    }
}

} // namespace
} // namespace kalveo::testing
