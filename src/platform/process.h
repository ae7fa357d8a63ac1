// platform/process: starting other programs (editor, browser, download tool).
//
// Programs are always started from an argument vector, never through a shell
// line, so file names with blanks or quotes reach them as one argument.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalveo {

/// Exit status of a program that could not be started at all.
inline constexpr int kNotStarted = -1;

/// Starts argv[0] (looked up on the PATH) with its arguments and waits for it.
/// Returns its exit status; kNotStarted when it could not be started, 128 plus
/// the signal number when a signal ended it.
int run_program(const std::vector<std::string>& argv);

/// Like run_program, and also hands back what the program wrote on its
/// standard output (the first `max_output` bytes; the rest is read and dropped).
int run_program_capture(const std::vector<std::string>& argv, std::string& output,
                        std::size_t max_output = 65536);

/// Starts a program and does not wait for it (a browser or a document viewer).
/// Returns true when it was started.
bool launch_program(const std::vector<std::string>& argv);

/// A program started by start_program, running beside this one: the caller goes on with its
/// own work and asks now and then whether it has ended.
class ChildProgram {
  public:
    ChildProgram() = default;
    ChildProgram(ChildProgram&& other) noexcept;
    ChildProgram& operator=(ChildProgram&& other) noexcept;
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;
    /// Lets a program that still runs go on by itself.
    ~ChildProgram();

    /// True when it was started.
    [[nodiscard]] bool started() const { return started_; }
    /// Without waiting: its exit status once it has ended (as run_program gives it; kNotStarted
    /// when it was never started), nothing while it runs.
    std::optional<int> poll();

  private:
    friend ChildProgram start_program(const std::vector<std::string>& argv);
    void release();
    /// The process id, or the process handle on Windows; 0 none.
    std::intptr_t handle_ = 0;
    bool started_ = false;
    std::optional<int> status_;
};

/// Starts a program without waiting for it; poll() tells when it has ended.
ChildProgram start_program(const std::vector<std::string>& argv);

/// True when `program` can be started as start_program starts it: a path to a program file
/// that exists, or a name found on the search path.
[[nodiscard]] bool program_found(const std::string& program);

/// Splits a command text into words as a shell would: blanks separate words,
/// single and double quotes group; on POSIX a backslash outside single quotes
/// escapes the next character, on Windows it stays (a folder separator) except
/// before a double quote inside double quotes. Nothing is expanded.
[[nodiscard]] std::vector<std::string> split_command_words(std::string_view command);

} // namespace kalveo
