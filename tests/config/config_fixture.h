// Test fixture of the settings and language tests: a scratch program folder as the
// working folder (where the log and error log go), records at their built-in defaults,
// an English desktop and scripted dialog boxes.
#pragma once

#include "settings_snapshot.h"
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

    /// Records at their defaults with the after-reading rules applied, as an empty
    /// settings file leaves them.
    [[nodiscard]] static SettingsSnapshot defaults_as_read();

    TempDir folder_;

  private:
    ScopedCwd cwd_;
    ScopedEnv lc_all_;
    ScopedEnv dialogs_;
};

} // namespace kalveo::testing
