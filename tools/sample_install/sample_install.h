// sample_install: a complete sample installation of the simulator in a folder,
// laid out as a Wine prefix (use the folder as WINEPREFIX): user.reg with the
// simulator's keys, drive_c\Condor3 (and drive_c\Condor2 when asked) with
// Condor.exe, Logs\Logfile.txt, Settings\UDP.ini and Planes, and the pilot's
// folder under the user's Documents with Flightplan.fpl, controls.ini and
// Setup.ini. Tests and the demo share it.
#pragma once

#include "sample_install/sample_files.h"

#include <filesystem>
#include <string>

namespace kalveo {

struct SampleInstallOptions {
    bool condor3 = true;
    bool condor2 = false;
    /// Wine user folder name; empty: the login name Wine would take.
    std::string login;
    /// Pilot (LastPlayer) of each version.
    std::string pilot = "Sample Pilot";
    /// What the simulator's logs record.
    SampleLogState log_state = SampleLogState::started;
    /// Settings\UDP.ini of each installed version.
    SampleUdp udp;
    /// Units and altimeter setting of Setup.ini.
    int units = 0;
    int altimeter_setting = 0;
    /// Keys of controls.ini.
    SampleKeys keys;
    /// Write the pilot's Flightplan.fpl (a flight is being set up).
    bool flight_plan = true;
    /// The glider of the flight plan; empty: the version's default (LS8neo, Discus2a).
    std::string glider;
};

/// Where things are, as Windows names them and as host paths.
struct SampleVersion {
    std::string install_dir;       ///< "C:\Condor3"
    std::string pilot_dir;         ///< "C:\users\<login>\Documents\Condor3\Pilots\<pilot>"
    std::filesystem::path install; ///< host path of install_dir
    std::filesystem::path pilot;   ///< host path of pilot_dir
};

struct SampleInstall {
    bool ok = false;
    std::string error;            ///< what failed when not ok
    std::filesystem::path prefix; ///< the folder, to use as WINEPREFIX
    std::string login;
    SampleVersion condor2; ///< empty when not installed
    SampleVersion condor3;
};

/// Builds the installation in `folder` (created when missing; files already
/// there are overwritten).
[[nodiscard]] SampleInstall build_sample_installation(const std::filesystem::path& folder,
                                                      const SampleInstallOptions& options = {});

/// The host path of a Windows path inside the sample's prefix ("C:\x" ->
/// <prefix>/drive_c/x).
[[nodiscard]] std::filesystem::path sample_host_path(const std::filesystem::path& prefix,
                                                     const std::string& windows_path);

} // namespace kalveo
