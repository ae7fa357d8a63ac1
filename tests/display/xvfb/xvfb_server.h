// An X server of the test's own (Xvfb) on a display number it picks itself.
#pragma once

#include <string>
#include <sys/types.h>

namespace kalveo::testing {

class XvfbServer {
  public:
    /// Starts Xvfb with a screen of the given size; running() tells whether it came up.
    XvfbServer(int width, int height);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    [[nodiscard]] bool running() const { return pid_ > 0 && !display_.empty(); }
    /// ":N"
    [[nodiscard]] const std::string& display() const { return display_; }

  private:
    pid_t pid_ = -1;
    std::string display_;
};

/// The one server of this test process, started on first use; null when Xvfb is missing.
XvfbServer* shared_xvfb();

} // namespace kalveo::testing
