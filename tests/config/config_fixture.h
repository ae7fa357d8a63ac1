// Test fixture of the settings and language tests: a scratch program folder as the
// working folder (where the log and error log go), an English desktop and scripted dialog
// boxes.
#pragma once

#include "config/settings_value.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>

namespace kalveo::testing {

class ConfigTest : public ::testing::Test {
  protected:
    ConfigTest();

    /// Writes a file of the program folder, named as the program names it ("Settings\x").
    void write(std::string_view name, std::string_view bytes) const;
    [[nodiscard]] std::string read(std::string_view name) const;
    [[nodiscard]] bool exists(std::string_view name) const;

    /// Answers for the next dialog boxes, one per line.
    void answer_dialogs(std::string_view answers) const;

    /// What the run log holds so far.
    [[nodiscard]] std::string log_text() const;

    /// Writes Settings\Kalveo.ini and reads it as the program does.
    [[nodiscard]] Settings read_settings_file(std::string_view text) const;

    /// The defaults with the after-reading rules applied, as an empty settings file gives them.
    [[nodiscard]] static Settings defaults_as_read();

    TempDir folder_;

  private:
    ScopedCwd cwd_;
    ScopedEnv lc_all_;
    ScopedEnv dialogs_;
};

} // namespace kalveo::testing
