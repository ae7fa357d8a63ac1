// A run of the real kalveo program: started with its own environment, its output kept in a
// file, waited for with a time limit, and killed if still running when the test ends.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kalveo::testing {

class ProgramRun {
  public:
    /// Starts `program` with `args`; `env` adds to or replaces the test's environment.
    /// Standard output and error go to `output`.
    ProgramRun(const std::filesystem::path& program, const std::vector<std::string>& args,
               const std::map<std::string, std::string>& env, const std::filesystem::path& output);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    [[nodiscard]] bool started() const { return pid_ > 0; }
    /// The process id, for what the system tells about the run (its memory).
    [[nodiscard]] pid_t pid() const { return pid_; }
    /// True while the program has not ended.
    [[nodiscard]] bool running();
    /// Waits at most `seconds` for the end; its exit status (128 + signal when killed), or
    /// nothing when it is still running.
    std::optional<int> wait(double seconds);

  private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

/// Polls `file` until it holds `text`; false after `seconds`.
bool wait_for_text(const std::filesystem::path& file, const std::string& text, double seconds);

} // namespace kalveo::testing
