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
#include <X11/extensions/shape.h>

namespace kalveo::testing {
namespace {

constexpr unsigned long kBelowColour = 0xC81EA0; // no colour of the program's
constexpr unsigned long kBackground = 0x82B4E6;  // "Text Background", "AH Corners Background"

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
    for (int y = 0; image != nullptr && y < w.height; ++y)
        for (int i = 0; i < w.width; ++i) {
            const unsigned long p = XGetPixel(image, i, y) & 0xFFFFFF;
            a.below += p == kBelowColour ? 1 : 0;
            a.background += p == kBackground ? 1 : 0;
            a.dark += (p >> 16) + ((p >> 8) & 0xFF) + (p & 0xFF) < 200 ? 1 : 0;
        }
    if (image != nullptr) XDestroyImage(image);
    return a;
}

// The window a click at a point of the screen would reach.
Window window_at(Display* x, int px, int py) {
    XWarpPointer(x, None, DefaultRootWindow(x), 0, 0, 0, 0, px, py);
    Window root = 0;
    Window child = 0;
    int ignored = 0;
    unsigned int mask = 0;
    XQueryPointer(x, DefaultRootWindow(x), &root, &child, &ignored, &ignored, &ignored, &ignored,
                  &mask);
    return child;
}

TEST(SeeThroughTest, BackgroundsShowTheWindowBelowAndPassItTheClicks) {
    static const XvfbServer screen(1280, 1024);
    if (!screen.running()) GTEST_SKIP() << "Xvfb is not available";
    Display* x = XOpenDisplay(screen.display().c_str());
    ASSERT_NE(x, nullptr);
    // The simulator's picture: one colour over the whole screen, mapped before the program.
    const Window below =
        XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 1280, 1024, 0, 0, kBelowColour);
    XMapWindow(x, below);
    XSync(x, False);

    ProgramFolder folder({.log_state = SampleLogState::in_flight});
    ASSERT_TRUE(folder.ready()) << folder.problem();
    folder.set_setting("Opacity", "0");
    folder.set_setting("AH opacity", "50");
    folder.answers("ok\nok\n280\n");
    auto run = folder.start({"-ha"}, screen.display());
    ASSERT_TRUE(wait_for_text(folder.stdout_log(), "ByteReceived", 20.0));
    FlightSender sim(folder.port());
    sim.fly(120.0, 2.0);
    ASSERT_TRUE(wait_for_text(folder.run_log(), "UpdVNE", 5.0));
    sim.fly(121.0, 0.8); // drawn and cut again after the flight's set-up
    const std::string log = read_file(folder.run_log());
    EXPECT_NE(log.find("Txt see-through : 1"), std::string::npos) << log;
    EXPECT_NE(log.find("AH see-through : 1"), std::string::npos) << log;

    const auto strip = find_window(screen.display(), "Kalveo - Display", 5.0);
    ASSERT_TRUE(strip.has_value());
    const Area s = look_at(x, *strip);
    EXPECT_EQ(s.background, 0);
    EXPECT_GT(s.below, strip->width * strip->height / 2);
    EXPECT_GT(s.dark, 100);                                     // the figures
    EXPECT_EQ(window_at(x, strip->x + 1, strip->y + 1), below); // beside the figures

    const auto horizon = find_window(screen.display(), "Kalveo - Horizon", 5.0);
    ASSERT_TRUE(horizon.has_value());
    const Area h = look_at(x, *horizon);
    const int square = horizon->width * horizon->height;
    EXPECT_EQ(h.background, 0);
    EXPECT_GT(h.below, square / 10); // the corners round the ball
    EXPECT_LT(h.below, square / 4);

    // A window passing over the strip has it drawn again: the same picture keeps its cut.
    int shape_events = 0;
    int error_base = 0;
    XShapeQueryExtension(x, &shape_events, &error_base);
    XShapeSelectInput(x, strip->id, ShapeNotifyMask);
    const Window over = XCreateSimpleWindow(x, DefaultRootWindow(x), strip->x, strip->y,
                                            static_cast<unsigned>(strip->width),
                                            static_cast<unsigned>(strip->height), 0, 0, 0);
    XMapWindow(x, over);
    XSync(x, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    XUnmapWindow(x, over);
    XSync(x, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const Area again = look_at(x, *strip); // drawn again, else the black would stay
    EXPECT_EQ(again.dark, s.dark);
    EXPECT_EQ(again.below, s.below);
    int cuts = 0;
    for (XEvent e; XPending(x) > 0;) {
        XNextEvent(x, &e);
        cuts += e.type == shape_events + ShapeNotify ? 1 : 0;
    }
    EXPECT_EQ(cuts, 0);
    XCloseDisplay(x);
}

} // namespace
} // namespace kalveo::testing
