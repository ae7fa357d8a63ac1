// link/udp_ini: the simulator's UDP settings (Settings\UDP.ini of each installed
// version): whether it sends telemetry, to which host and port, how often, and
// with the extended data the program needs. The program never writes the file;
// it opens it in the pilot's text editor when the output is off.
#pragma once

#include "config/records.h"

#include <functional>
#include <string>
#include <string_view>

namespace kalveo {

/// Port assumed when the file gives none.
inline constexpr int kDefaultSimulatorPort = 55278;

/// Longest line looked at, and the longest host name kept.
inline constexpr std::size_t kUdpIniLineLength = 120;
inline constexpr std::size_t kUdpHostLength = 32;

/// What UDP.ini says; the numbers are 0 unless the file sets them.
struct UdpIniValues {
    int enabled = 0;       ///< [General] Enabled
    int port = 0;          ///< [Connection] Port
    int send_interval = 0; ///< [Misc] SendIntervalMs, ms
    int extended = 0;      ///< [Misc] ExtendedData1
    bool has_host = false; ///< a [Connection] Host line was found
    std::string host;      ///< [Connection] Host
};

/// Reads the text of a UDP.ini. A key counts only in its own section; an
/// empty value or a value that is not a number is skipped.
[[nodiscard]] UdpIniValues parse_udp_ini(std::string_view text);

/// Reads the file `fich` (as the simulator names it). The four numbers are set
/// to 0 and then to the values found; `host` changes only when a Host line is
/// found. Returns 0 on success, a positive status when the file could not be
/// opened or read.
int read_udp_ini(std::string_view fich, int& nena, int& port, int& sndint, int& next1,
                 std::string& host);

/// Checks the UDP.ini of simulator version `icn` (2 or 3): port, send interval,
/// extended-data flag and host come back in the other arguments. A missing or
/// unreadable file, or one without a port, gives port 55278 with a warning.
/// When the output or its extended data is off, the pilot is told and the
/// file opened in the text editor (the command `text_editor`), then read again;
/// off a second time, the manual is shown at its section through `show_manual`
/// (when given) and the program stops.
void set_udp_ini(std::string_view fich, int icn, int& nprt, int& nsnd, int& next1,
                 std::string& host, std::string_view text_editor, const MessagesRecord& texts,
                 const std::function<void(int section)>& show_manual = {});

} // namespace kalveo
