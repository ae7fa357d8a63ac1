// config/settings_table: every key of Settings\Kalveo.ini, how its value is read into the
// settings value and how the value in force is written back.
#pragma once

#include "config/settings_value.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kalveo {

/// What the reading of one file remembers until its end.
struct SettingsReadState {
    /// "AH Standard" was set; it only takes effect with the horizon size (after reading).
    bool ah_standard = false;
    /// "FlapSoundMaxBank" was given; else it follows "Flaps_GFactor" (after reading).
    bool flap_bank_given = false;
};

/// One value of a settings line, with the line it came from for error messages.
struct SettingInput {
    std::string_view value; ///< left-adjusted, not blank
    std::string_view line;  ///< the whole line
    SettingsReadState& state;
};

struct SettingKey {
    /// The key as written in the file (compared exactly, case included).
    std::string_view name;
    /// Stores the value; a value it cannot use is logged and changes nothing,
    /// unless the key's own rule says otherwise.
    std::function<void(Settings&, const SettingInput&)> read;
    /// The value in force, as the file writes it.
    std::function<std::string(const Settings&)> write;
};

/// The keys in the order in which a line is tested against them.
[[nodiscard]] const std::vector<SettingKey>& settings_keys();

/// The key of that name, or nullptr.
[[nodiscard]] const SettingKey* find_setting_key(std::string_view name);

} // namespace kalveo
