// report/repeated_fault: a fault that outside input can repeat many times a second (a forward
// nobody takes, a read that fails) reported without flooding the log: its first occurrence at
// once, then at most one line a minute with the number of repeats, and one line when it ends.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace kalveo {

class RepeatedFault {
  public:
    using Clock = std::chrono::steady_clock;
    /// Where the lines go (the log, the console).
    using Write = std::function<void(const std::string& line)>;

    /// `interval`: the least time between two lines of one fault. `settle`: how long the
    /// fault must stay away while things work before it counts as ended (a failure the
    /// system reports only on every second call must not end and start it each time).
    explicit RepeatedFault(Write write, Clock::duration interval = std::chrono::minutes(1),
                           Clock::duration settle = std::chrono::seconds(5));

    /// The fault happened (again); `text` describes this occurrence. The first occurrence is
    /// written as it is; later ones are counted into a line "<text> (repeated N times)"
    /// written once `interval` has passed since the last line.
    void fault(std::string_view text, Clock::time_point now = Clock::now());

    /// What failed worked. When the fault has stayed away for `settle`, it ends with the line
    /// "Ended : <last text> (N times in all)".
    void worked(Clock::time_point now = Clock::now());

    /// Ends a fault still running, whatever the time (the socket is closing).
    void finish();

    [[nodiscard]] bool active() const { return active_; }

  private:
    Write write_;
    Clock::duration interval_;
    Clock::duration settle_;
    bool active_ = false;
    long total_ = 0;      // occurrences since the fault started
    long unreported_ = 0; // occurrences since the last line
    Clock::time_point last_line_{};
    Clock::time_point last_fault_{};
    std::string last_text_;
};

} // namespace kalveo
