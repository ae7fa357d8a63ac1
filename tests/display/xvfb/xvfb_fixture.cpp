#include "xvfb_fixture.h"

#include <SDL.h>
#include <chrono>
#include <thread>

namespace kalveo::testing {

namespace {
constexpr int kWatchdogTimer = 99;
}

void XvfbTest::SetUp() {
    XvfbServer* server = shared_xvfb();
    if (!server) GTEST_SKIP() << "Xvfb is not installed";
    display_ = std::make_unique<ScopedEnv>("DISPLAY", server->display());
    driver_ = std::make_unique<ScopedEnv>("SDL_VIDEODRIVER", "x11");
    // Now and then the X server refuses a connection right after the last test closed its
    // own (SDL: "x11 not available"); it takes the next one.
    for (int attempt = 0; attempt < 3 && !cpwInitContext(&cpw); ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_NE(cpw, nullptr) << SDL_GetError();
}

void XvfbTest::TearDown() {
    cpwFreeContext(&cpw);
}

void XvfbTest::run_loop(int limit_ms) {
    cpwTimerCallback(cpw, limit_ms, kWatchdogTimer, 0, [](pCpw c, int) {
        ADD_FAILURE() << "the main loop did not end in time";
        cpwBreakMainLoop(c);
    });
    cpwMainLoop(cpw);
    cpwTimerCallback(cpw, 0, kWatchdogTimer, 0, nullptr);
}

} // namespace kalveo::testing
