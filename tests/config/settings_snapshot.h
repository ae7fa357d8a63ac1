// Test helpers: every value the settings file sets, taken from the records, so that two
// readings can be compared field by field.
#pragma once

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace kalveo::testing {

struct SettingsSnapshot {
    /// Integers, flags and texts, by record and field name.
    std::map<std::string, std::string> exact;
    /// Real numbers, by record and field name.
    std::map<std::string, double> reals;
};

/// The settings in force now.
[[nodiscard]] SettingsSnapshot take_settings_snapshot();

/// Equal when every exact field is equal and every real differs by no more than
/// `relative_tolerance` of its size (at least of 1).
[[nodiscard]] ::testing::AssertionResult same_settings(const SettingsSnapshot& expected,
                                                       const SettingsSnapshot& actual,
                                                       double relative_tolerance = 0.0);

/// The built-in defaults of start-up, with the values start-up carries across passes put
/// back too (time constants, version), so that each test starts from the same records.
void reset_settings_records();

} // namespace kalveo::testing
