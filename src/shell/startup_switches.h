// shell/startup_switches: the command line: unit, recording, netto, flap sounds, polar mode,
// debug, horizon and keyboard-watch switches, and the usage text of -help.
#pragma once

#include "config/settings_value.h"

#include <string>
#include <vector>

namespace kalveo {

/// Arguments read after the program path, and the characters kept of each.
inline constexpr std::size_t kMaxArguments = 20;
inline constexpr std::size_t kArgumentLength = 30;

/// The switches -help names.
inline constexpr const char* kHelpText =
    "[-help] [-kmh|-kph|-mph|-kts|-fpf] [-rec] [-net[=seconds]] [-f] [-p] [-d] [-ha] [-nohook]";

/// The arguments as start-up keeps them: the program path and at most 20 more, each cut to
/// 30 characters.
[[nodiscard]] std::vector<std::string> kept_arguments(const std::vector<std::string>& arguments);

/// Index of the last argument starting with "-" (0 when none).
[[nodiscard]] int last_option_index(const std::vector<std::string>& args);

/// Applies the switches of arguments 1 to the last one starting with "-" to `settings`; an
/// unknown argument is ignored. Returns true when -help was among them.
bool apply_switches(const std::vector<std::string>& args, Settings& settings);

/// The lines of the usage: "Usage :", the program path with the switches, and where the
/// simulator is looked for when that is to be chosen (its Wine prefix on Linux).
[[nodiscard]] std::vector<std::string> usage_lines(const std::string& program);

/// True when the program was started by name from a console (no folder in its path).
[[nodiscard]] bool started_by_name(const std::string& argument0);

} // namespace kalveo
