// Fixtures for the report tests: a scratch program folder holding the log,
// the error log and the dialog script, and a capture of standard output.
#pragma once

#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>

namespace kalveo::testing {

/// Sends standard output to a file until finish() (or the end of scope).
class StdoutCapture {
  public:
    StdoutCapture();
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    /// Restores standard output and returns what was written meanwhile.
    std::string finish();

  private:
    TempDir dir_;
    int saved_ = -1;
};

/// Sends this process's standard output to a file for good (death-test children).
void send_stdout_to(const std::filesystem::path& file);

/// Working folder with Logs\Logfile.txt created, app_path pointing at it and
/// dialogs answered from answers.txt (empty until answers() writes it).
class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    /// The dialog answers, one per line; write before the first box.
    void answers(std::string_view lines) const;

    [[nodiscard]] std::string log() const { return read_text(dir_ / "Logs" / "Logfile.txt"); }
    [[nodiscard]] std::string error_log() const { return read_text(dir_ / "ErrorLog.txt"); }
    [[nodiscard]] const std::filesystem::path& folder() const { return dir_.path(); }

    TempDir dir_;
    std::unique_ptr<ScopedCwd> cwd_;
    std::unique_ptr<ScopedEnv> dialogs_;
};

/// Regular expression of a "2024-05-31 14:03:07" time stamp.
inline constexpr const char* kStampPattern =
    "[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}";

/// True when `text` holds `part`.
[[nodiscard]] inline bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

} // namespace kalveo::testing
