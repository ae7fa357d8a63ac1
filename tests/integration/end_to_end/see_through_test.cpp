// The see-through backgrounds of the real program over another window, as the screen shows
// them: with "Opacity" 0 the strip's background lets the window below show and take the
// clicks while the figures stay drawn, and so do the horizon's corners with "AH opacity" 50.
#include "flight_sender.h"
#include "program_folder.h"
#include "x_windows.h"
#include "xvfb_server.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

// After GoogleTest: Xlib's macros (None, Bool) would break its headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace kalveo::testing {
namespace {

constexpr unsigned long kBelowColour = 0xC81EA0; // no colour of the program's
constexpr unsigned long kBackground = 0x82B4E6;  // "Text Background", "AH Corners Background"

XvfbServer* screen() {
    static const std::unique_ptr<XvfbServer> server = [] {
        auto started = std::make_unique<XvfbServer>(1280, 1024);
        if (!started->running()) started.reset();
        return started;
    }();
    return server.get();
}

// What the screen shows in a window's rectangle, told apart by colour.
struct Area {
    int below = 0;      ///< pixels of the window below
    int background = 0; ///< pixels still painted in the background colour
    int dark = 0;       ///< figures, rim and marks
};

// Read from the root window, as the screen shows it (xwd pastes each window of another visual
// whole, its shape ignored).
Area look_at(Display* x, const XWindow& w) {
    Area a;
    XImage* image = XGetImage(x, DefaultRootWindow(x), w.x, w.y, static_cast<unsigned>(w.width),
                              static_cast<unsigned>(w.height), AllPlanes, ZPixmap);
    if (image == nullptr) return a;
    for (int y = 0; y < w.height; ++y)
        for (int xx = 0; xx < w.width; ++xx) {
            const unsigned long p = XGetPixel(image, xx, y) & 0xFFFFFF;
            a.below += p == kBelowColour ? 1 : 0;
            a.background += p == kBackground ? 1 : 0;
            const unsigned long r = p >> 16;
            const unsigned long g = (p >> 8) & 0xFF;
            const unsigned long b = p & 0xFF;
            a.dark += r + g + b < 200 ? 1 : 0;
        }
    XDestroyImage(image);
    return a;
}

// The window under a point of the screen, as a click there would find it.
Window window_at(Display* x, int px, int py) {
    XWarpPointer(x, None, DefaultRootWindow(x), 0, 0, 0, 0, px, py);
    XSync(x, False);
    Window root = 0;
    Window child = 0;
    int rx = 0;
    int ry = 0;
    int wx = 0;
    int wy = 0;
    unsigned int mask = 0;
    XQueryPointer(x, DefaultRootWindow(x), &root, &child, &rx, &ry, &wx, &wy, &mask);
    return child;
}

TEST(SeeThroughTest, BackgroundsShowTheWindowBelowAndPassItTheClicks) {
    if (screen() == nullptr) GTEST_SKIP() << "Xvfb is not available";
    Display* x = XOpenDisplay(screen()->display().c_str());
    ASSERT_NE(x, nullptr);
    // The simulator's picture: one colour over the whole screen, mapped before the program.
    const Window below =
        XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 1280, 1024, 0, 0, kBelowColour);
    XMapWindow(x, below);
    XSync(x, False);

    SampleInstallOptions sample;
    sample.log_state = SampleLogState::in_flight;
    ProgramFolder folder(sample);
    ASSERT_TRUE(folder.ready()) << folder.problem();
    folder.set_setting("Opacity", "0");
    folder.set_setting("AH opacity", "50");
    folder.answers("ok\nok\n280\n");
    auto run = folder.start({"-ha"}, screen()->display());
    ASSERT_TRUE(wait_for_text(folder.stdout_log(), "ByteReceived", 20.0))
        << read_file(folder.early_output());
    FlightSender sim(folder.port());
    sim.fly(120.0, 2.0);
    ASSERT_TRUE(wait_for_text(folder.run_log(), "UpdVNE", 5.0));
    sim.fly(121.0, 0.5);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    const std::string log = read_file(folder.run_log());
    EXPECT_NE(log.find("Txt see-through : 1"), std::string::npos) << log;
    EXPECT_NE(log.find("AH see-through : 1"), std::string::npos) << log;

    const auto strip = find_window(screen()->display(), "Kalveo - Display", 5.0);
    ASSERT_TRUE(strip.has_value());
    const Area s = look_at(x, *strip);
    const int strip_pixels = strip->width * strip->height;
    EXPECT_EQ(s.background, 0);
    EXPECT_GT(s.below, strip_pixels / 2);
    EXPECT_GT(s.dark, 100); // the figures
    // A click beside the figures: the top left corner of the strip is background.
    EXPECT_EQ(window_at(x, strip->x + 1, strip->y + 1), below);

    const auto horizon = find_window(screen()->display(), "Kalveo - Horizon", 5.0);
    ASSERT_TRUE(horizon.has_value());
    const Area h = look_at(x, *horizon);
    const int horizon_pixels = horizon->width * horizon->height;
    EXPECT_EQ(h.background, 0);
    EXPECT_GT(h.below, horizon_pixels / 10); // the corners round the ball
    EXPECT_LT(h.below, horizon_pixels / 4);
    EXPECT_EQ(window_at(x, horizon->x + horizon->width - 2, horizon->y + horizon->height - 2),
              below);
    EXPECT_NE(window_at(x, horizon->x + horizon->width / 2, horizon->y + horizon->height / 2),
              below);

    XDestroyWindow(x, below);
    XCloseDisplay(x);
}

} // namespace
} // namespace kalveo::testing
