// A windowing context on the test's own X server.
#pragma once

#include "cpw/cpw.h"
#include "support/test_files.h"
#include "xvfb_server.h"

#include <gtest/gtest.h>
#include <memory>

namespace kalveo::testing {

class XvfbTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    /// Runs the main loop; a watchdog ends it (and fails the test) after `limit_ms`.
    void run_loop(int limit_ms = 5000);

    pCpw cpw = nullptr;
    std::unique_ptr<ScopedEnv> display_;
    std::unique_ptr<ScopedEnv> driver_;
};

} // namespace kalveo::testing
