// sim/controls: the simulator's own key assignments, from the pilot's
// controls.ini (chat, g-meter reset, turnpoint and bug-wipe keys), and key
// names for the log.
#pragma once

#include "sim/records.h"

#include <string>
#include <string_view>

namespace kalveo {

/// Header of the keyboard's section in controls.ini.
inline constexpr std::string_view kKeyboardSection = "[{6F1D2B61-D5A0-11CF-BFC7-444553540000}]";
/// Longest line looked at.
inline constexpr std::size_t kControlsLineLength = 120;

/// Takes the keyboard section's assignments from the text of a controls.ini
/// into `keys` (version 3 action numbers when `qc3`, else those of versions
/// 1 and 2). Other sections, empty values and unreadable numbers change
/// nothing; later lines override earlier ones.
void parse_controls_ini(std::string_view text, bool qc3, SimulatorKeys& keys);

/// What read_controls_ini found: `status` 0 on success, positive when the file
/// could not be opened or read.
struct ControlsRead {
    int status = 0;
    SimulatorKeys keys;
};

/// Reads the simulator's controls file `fich` and warns (with the two catalogue
/// texts) when no chat key is known afterwards, neither there nor as the key code
/// `chat_open_key` of the settings.
[[nodiscard]] ControlsRead read_controls_ini(std::string_view fich, bool qc3, bool qdebug,
                                             int chat_open_key, std::string_view msgkeymapp,
                                             std::string_view msgkeynosu);

/// The log line naming one key assignment: a positive code is a virtual key
/// ("label : 65 A"), zero or negative a negated scan code named by the system
/// ("label : 57 Space", "label : 57 ???? " when it has no name).
[[nodiscard]] std::string key_name_line(std::string_view label, int code);

/// Logs key_name_line.
void Print_Key_Name(std::string_view label, int code);

} // namespace kalveo
