// shell/startup_checks: the start-up's checks: program version against the settings file's,
// a writable settings folder, and the agreement of the simulator's UDP settings.
#pragma once

#include <string>
#include <string_view>

namespace kalveo {

/// The program's version number (major x 1000 + minor x 100 + release x 10 + build).
inline constexpr int kProgramVersion = 3210;
[[nodiscard]] int vers_num();

/// How the settings file's version compares with the program's (major and minor only).
enum class VersionVerdict { same, program_newer, file_newer };
[[nodiscard]] VersionVerdict compare_versions(int numver, int numver_fich);

/// True when a scratch file can be created (and removed) in `folder`.
[[nodiscard]] bool folder_accepts_files(const std::string& folder);

/// Verifies that `folder` accepts new files; otherwise shows the error (titled `title`, in
/// French when the user's language is) and stops the program.
void check_writable_folder(const std::string& folder, std::string_view title);

/// The UDP settings of one simulator version's UDP.ini.
struct SimulatorUdp {
    int port = -1;
    int send_interval = 0;
    int extended = 0;
    std::string host;
};

/// True when the two versions' files disagree in port, send interval or host (the
/// extended-data flag is not compared).
[[nodiscard]] bool udp_settings_differ(const SimulatorUdp& c2, const SimulatorUdp& c3);

/// The simulator's port: the larger of the two versions' ports when version 2 or 3 is
/// installed, else -1.
[[nodiscard]] int simulator_port(bool qc2, bool qc3, int nprt2, int nprt3);

} // namespace kalveo
