// A scenario of the replayer flown into the program under test from a thread of its own, at
// the simulator's rate and pace, while the test acts on the way (keys, screenshots).
#pragma once

#include "platform/socket.h"
#include "replay/scenario.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace kalveo::testing {

class ScenarioFlight {
  public:
    /// What is sent instead of the `n`th datagram (0 the first) of the scenario.
    using Alteration = std::function<std::string(int n, const std::string& datagram)>;

    /// Starts sending at once; `port` is the program's. `alter`, when given, may change
    /// each datagram on its way.
    ScenarioFlight(int port, const replay::ScenarioOptions& options, Alteration alter = {});
    ~ScenarioFlight();
    ScenarioFlight(const ScenarioFlight&) = delete;
    ScenarioFlight& operator=(const ScenarioFlight&) = delete;

    [[nodiscard]] const std::vector<replay::Phase>& phases() const { return phases_; }
    /// Start (s) of the `nth` phase called `name` (1 the first); -1 when there is none.
    [[nodiscard]] double phase_start(const std::string& name, int nth = 1) const;
    /// Seconds since the flight started.
    [[nodiscard]] double elapsed() const;
    /// Sleeps until `t` seconds into the flight.
    void wait_until(double t) const;
    /// Waits for the last datagram.
    void finish();

  private:
    std::vector<replay::Phase> phases_;
    replay::ScenarioOptions options_;
    Alteration alter_;
    SocketHandle socket_ = kNoSocket;
    Ipv4Endpoint target_;
    std::chrono::steady_clock::time_point start_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

/// Screenshot of a window on `display`, read by tesseract (one line of text); empty when a
/// tool failed.
[[nodiscard]] std::string read_window_text(const std::string& display, unsigned long window,
                                           const std::filesystem::path& work);

} // namespace kalveo::testing
