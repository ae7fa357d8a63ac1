// Fixture of the simulator-integration tests: a scratch working folder with
// the log, scripted dialogs, a Wine prefix for a sample installation and a
// known login, and the simulator records back at their defaults.
#pragma once

#include "sample_install/sample_install.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>

namespace kalveo::testing {

class SimTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    /// Builds the sample installation in the test's Wine prefix.
    SampleInstall install(const SampleInstallOptions& options = {});

    /// Dialog answers, one a line; write before the first box.
    void answers(std::string_view lines) const;

    /// Replaces a file of the prefix given by its Windows name.
    void write_sim_file(const std::string& windows_name, std::string_view bytes) const;

    [[nodiscard]] std::filesystem::path prefix() const { return dir_ / "prefix"; }
    [[nodiscard]] const std::filesystem::path& folder() const { return dir_.path(); }
    [[nodiscard]] std::string log() const { return read_text(dir_ / "Logs" / "Logfile.txt"); }

    TempDir dir_;

  private:
    std::unique_ptr<ScopedCwd> cwd_;
    std::unique_ptr<ScopedEnv> dialogs_, wineprefix_, user_, profile_;
};

/// Sends standard output to a file for good (for death-test children).
void stdout_to_file(const std::filesystem::path& file);

[[nodiscard]] inline bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

} // namespace kalveo::testing
