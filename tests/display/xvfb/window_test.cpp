// Windows, callbacks and the timer of the windowing component on a real X server.
#include "display/display_state.h"
#include "platform/process.h"
#include "xvfb_fixture.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <array>
#include <chrono>
#include <string>
#include <vector>

namespace kalveo::testing {
namespace {

using WindowTest = XvfbTest;

std::uint32_t sdl_id(pCpw cpw, CpwWindowId id) {
    return SDL_GetWindowID(cpw_sdl_window(cpw, id));
}

void push_window_event(pCpw cpw, CpwWindowId id, Uint8 what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    event.window.windowID = sdl_id(cpw, id);
    SDL_PushEvent(&event);
}

void push_key(pCpw cpw, CpwWindowId id, SDL_Keycode sym, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = sdl_id(cpw, id);
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = sym;
    SDL_PushEvent(&event);
}

void push_click(pCpw cpw, CpwWindowId id, bool down, int x, int y) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = sdl_id(cpw, id);
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = x;
    event.button.y = y;
    SDL_PushEvent(&event);
}

TEST_F(WindowTest, ScreenSizeIsTheServersScreen) {
    EXPECT_EQ(cpwGet(cpw, CPW_SCREEN_WIDTH), 1024);
    EXPECT_EQ(cpwGet(cpw, CPW_SCREEN_HEIGHT), 768);
}

TEST_F(WindowTest, PropertiesGiveABorderlessTopmostWindowAtItsPlace) {
    cpwInitWindowProperty(cpw, CPW_WINDOWPROP_POPUP, 0, 0);
    cpwInitWindowProperty(cpw, CPW_WINDOWPROP_TOPMOST, 0, 0);
    cpwInitWindowProperty(cpw, CPW_WINDOWPROP_SIZE, 180, 40);
    cpwInitWindowProperty(cpw, CPW_WINDOWPROP_POSITION, 33, 44);
    const CpwWindowId id = cpwCreateWindow(cpw, "Kalveo - Display");
    ASSERT_NE(id, 0U);
    SDL_Window* window = cpw_sdl_window(cpw, id);
    ASSERT_NE(window, nullptr);
    const Uint32 flags = SDL_GetWindowFlags(window);
    EXPECT_TRUE(flags & SDL_WINDOW_BORDERLESS);
    EXPECT_TRUE(flags & SDL_WINDOW_ALWAYS_ON_TOP);
    EXPECT_TRUE(flags & SDL_WINDOW_SKIP_TASKBAR);
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window, &w, &h);
    EXPECT_EQ(w, 180);
    EXPECT_EQ(h, 40);
    const std::uintptr_t native = cpw_native_window(cpw, id);
    EXPECT_NE(native, 0U);

    // The X server's own view of the window: its name and place.
    std::string info;
    if (run_program_capture(
            {"xwininfo", "-display", std::getenv("DISPLAY"), "-name", "Kalveo - Display"}, info) ==
        0) {
        EXPECT_NE(info.find("Absolute upper-left X:  33"), std::string::npos) << info;
        EXPECT_NE(info.find("Absolute upper-left Y:  44"), std::string::npos) << info;
        EXPECT_NE(info.find("Width: 180"), std::string::npos) << info;
    }
    EXPECT_FALSE(cpwInitWindowProperty(cpw, 12345, 0, 0));
}

TEST_F(WindowTest, CreateAndFirstReshapeReachCallbacksRegisteredAfterTheWindow) {
    cpwInitWindowProperty(cpw, CPW_WINDOWPROP_SIZE, 120, 90);
    const CpwWindowId id = cpwCreateWindow(cpw, "created");
    ASSERT_NE(id, 0U);
    std::vector<std::string> calls;
    cpwCreateCallback(cpw, [&](pCpw, CpwWindowId w, int flag) {
        calls.push_back("create " + std::to_string(w) + " " + std::to_string(flag));
    });
    cpwReshapeCallback(cpw, [&](pCpw c, CpwWindowId w, int width, int height) {
        calls.push_back("reshape " + std::to_string(w) + " " + std::to_string(width) + "x" +
                        std::to_string(height));
        cpwBreakMainLoop(c);
    });
    run_loop();
    const std::string n = std::to_string(id);
    EXPECT_EQ(calls, (std::vector<std::string>{"create " + n + " 1", "reshape " + n + " 120x90"}));
}

TEST_F(WindowTest, TimerRepeatsOnTheLoopThreadAtItsPace) {
    cpwCreateWindow(cpw, "timer");
    int ticks = 0;
    const auto start = std::chrono::steady_clock::now();
    cpwTimerCallback(cpw, 25, 1, 1, [&](pCpw c, int id) {
        EXPECT_EQ(id, 1);
        if (++ticks == 20) cpwBreakMainLoop(c);
    });
    run_loop();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(ticks, 20);
    EXPECT_GE(elapsed, std::chrono::milliseconds(20 * 25 - 5));
    EXPECT_LT(elapsed, std::chrono::milliseconds(2000));
}

TEST_F(WindowTest, OneShotTimerFiresOnce) {
    int fired = 0;
    int ticks = 0;
    cpwTimerCallback(cpw, 10, 2, 0, [&](pCpw, int) { ++fired; });
    cpwTimerCallback(cpw, 10, 1, 1, [&](pCpw c, int) {
        if (++ticks == 10) cpwBreakMainLoop(c);
    });
    run_loop();
    EXPECT_EQ(fired, 1);
}

TEST_F(WindowTest, RedisplayRequestsReachEveryWindowOnce) {
    const CpwWindowId a = cpwCreateWindow(cpw, "a");
    const CpwWindowId b = cpwCreateWindow(cpw, "b");
    std::vector<CpwWindowId> drawn;
    int ticks = 0;
    cpwDisplayCallback(cpw, [&](pCpw c, CpwWindowId w) {
        drawn.push_back(w);
        cpwSwapWindowBuffers(c, w);
    });
    cpwTimerCallback(cpw, 25, 1, 1, [&](pCpw c, int) {
        ++ticks;
        if (ticks == 1) {
            drawn.clear(); // the first frames of new windows
            cpwPostRedisplay(c);
        }
        if (ticks == 2) {
            cpwPostWindowRedisplay(c, b);
        }
        if (ticks == 3) cpwBreakMainLoop(c);
    });
    run_loop();
    EXPECT_EQ(drawn, (std::vector<CpwWindowId>{a, b, b}));
}

TEST_F(WindowTest, CloseKeysAndClicksReachTheirCallbacks) {
    const CpwWindowId id = cpwCreateWindow(cpw, "input");
    std::vector<std::string> calls;
    cpwCreateCallback(cpw, [&](pCpw, CpwWindowId w, int flag) {
        if (flag == 0) calls.push_back("close " + std::to_string(w == id));
    });
    cpwKeyboardCallback(cpw, [&](pCpw, CpwWindowId, int key, int state, int, int) {
        calls.push_back(std::string("key ") + static_cast<char>(key) + " " + std::to_string(state));
    });
    cpwSystemKeyboardCallback(cpw, [&](pCpw, CpwWindowId, int key, int state, int, int) {
        calls.push_back("sys " + std::to_string(key) + " " + std::to_string(state));
    });
    cpwMouseClickCallback(cpw, [&](pCpw, CpwWindowId, int state, int button, int x, int y) {
        calls.push_back("click " + std::to_string(state) + " " + std::to_string(button) + " " +
                        std::to_string(x) + "," + std::to_string(y));
    });
    int ticks = 0;
    cpwTimerCallback(cpw, 25, 1, 1, [&](pCpw c, int) {
        if (++ticks == 1) {
            push_key(c, id, SDLK_e, true);
            push_key(c, id, SDLK_e, false);
            push_key(c, id, SDLK_ESCAPE, true);
            push_key(c, id, SDLK_LEFT, true);
            push_click(c, id, false, 5, 6);
            push_window_event(c, id, SDL_WINDOWEVENT_CLOSE);
        } else {
            cpwBreakMainLoop(c);
        }
    });
    run_loop();
    EXPECT_EQ(calls, (std::vector<std::string>{"key e 1", "key e 2", "sys 27 1", "sys 13 1",
                                               "click 0 0 5,6", "close 1"}));
}

TEST_F(WindowTest, EachWindowKeepsItsOwnProjectionAndViewport) {
    cpwInitWindowProperty(cpw, CPW_WINDOWPROP_SIZE, 200, 100);
    const CpwWindowId text = cpwCreateWindow(cpw, "text");
    cpwInitWindowProperty(cpw, CPW_WINDOWPROP_SIZE, 150, 150);
    cpwCreateWindow(cpw, "horizon");
    cpwReshapeCallback(cpw, [&](pCpw, CpwWindowId w, int width, int height) {
        glViewport(0, 0, width, height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        if (w == text)
            glOrtho(0, width, 0, height, -1, 1);
        else
            glOrtho(-117, 117, -117, 117, -1, 1);
        glMatrixMode(GL_MODELVIEW);
    });
    std::vector<std::string> failures;
    int draws = 0;
    cpwDisplayCallback(cpw, [&](pCpw c, CpwWindowId w) {
        std::array<float, 16> projection{};
        std::array<int, 4> viewport{};
        glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
        glGetIntegerv(GL_VIEWPORT, viewport.data());
        const float expected_x = w == text ? 2.0F / 200.0F : 2.0F / 234.0F;
        const int expected_width = w == text ? 200 : 150;
        if (std::abs(projection[0] - expected_x) > 1e-6F || viewport[2] != expected_width) {
            failures.push_back("window " + std::to_string(w));
        }
        cpwSwapWindowBuffers(c, w);
        if (++draws == 6)
            cpwBreakMainLoop(c);
        else
            cpwPostRedisplay(c);
    });
    run_loop();
    EXPECT_EQ(draws, 6);
    EXPECT_TRUE(failures.empty()) << failures.front();
}

TEST_F(WindowTest, ResizingAndMovingFollowTheRequests) {
    const CpwWindowId id = cpwCreateWindow(cpw, "moving");
    std::vector<std::string> sizes;
    cpwReshapeCallback(cpw, [&](pCpw, CpwWindowId, int width, int height) {
        sizes.push_back(std::to_string(width) + "x" + std::to_string(height));
    });
    cpwReshapeWindow(cpw, 260, 50, id);
    cpwPositionWindow(cpw, -1000, -1000, id);
    int ticks = 0;
    cpwTimerCallback(cpw, 25, 1, 1, [&](pCpw c, int) {
        if (++ticks == 4) cpwBreakMainLoop(c);
    });
    run_loop();
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back(), "260x50");
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(cpw_sdl_window(cpw, id), &x, &y);
    EXPECT_EQ(x, -1000);
    EXPECT_EQ(y, -1000);
}

TEST_F(WindowTest, ContextSurvivesItsWindowsForTheNextPass) {
    int created = 0;
    cpwCreateCallback(cpw, [&](pCpw c, CpwWindowId, int flag) {
        created += flag;
        cpwBreakMainLoop(c);
    });
    const CpwWindowId first = cpwCreateWindow(cpw, "first pass");
    run_loop();
    cpwDestroyWindow(cpw, first);
    EXPECT_FALSE(cpw_gl_ready(cpw));
    EXPECT_EQ(cpw_sdl_window(cpw, first), nullptr);

    pCpw again = cpw;
    ASSERT_TRUE(cpwInitContext(&again));
    EXPECT_EQ(again, cpw);
    const CpwWindowId second = cpwCreateWindow(cpw, "second pass");
    EXPECT_NE(second, first);
    EXPECT_TRUE(cpw_gl_ready(cpw));
    run_loop();
    EXPECT_EQ(created, 2);
}

TEST_F(WindowTest, FlightSetUpResizesTheTextWindowAndLoadsTheInsectPicture) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    write_file(dir / "moustique.bmp",
               read_file(std::string(KALVEO_SOURCE_DATA) + "/moustique.bmp"));
    InstrumentWindows windows;
    windows.cpw = cpw;
    DisplayStateRecord& display = windows.state;
    display.DisWinInfo.width = 300;
    cpwInitWindowProperty(cpw, CPW_WINDOWPROP_SIZE, 300, 40);
    const CpwWindowId id = cpwCreateWindow(cpw, "Kalveo - Display");
    display.DisWinInfo.id = static_cast<int>(id);
    display.HorizontalDisplay = 0;
    FlightLayout opt;
    opt.bug_wipers = true;
    UpdVNE(display, opt, "", "km/h", &windows);
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(cpw_sdl_window(cpw, id), &w, &h);
    EXPECT_EQ(h, display.DisWinInfo.height);
    EXPECT_GT(h, 100);
    EXPECT_EQ(windows.bug.texture, 2U);
    EXPECT_TRUE(glIsTexture(2));
}

TEST_F(WindowTest, MissingInsectPictureIsReportedAndNoTextureMade) {
    TempDir dir;
    ScopedCwd cwd(dir.path());
    write_file(dir / "answers.txt", "");
    ScopedEnv dialogs("KALVEO_DIALOGS", "script:" + (dir / "answers.txt").string());
    cpwCreateWindow(cpw, "no picture");
    InstrumentWindows windows;
    windows.cpw = cpw;
    load_bug(windows);
    EXPECT_EQ(windows.bug.texture, 0U);
}

} // namespace
} // namespace kalveo::testing
