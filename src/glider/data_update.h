// glider/data_update: the start-up check for a newer program or glider data
// file on the maker's web server, and the safe replacement of the data file.
#pragma once

#include "config/records.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kalveo {

/// The maker's web server: the environment's KALVEO_UPDATE_URL, else the
/// address the program was built with; no trailing slash.
[[nodiscard]] std::string update_server();

/// Latest versions the server announces; 0 where it says nothing usable.
struct LatestVersions {
    int program = 0; ///< "Version", a program version number such as 3210
    int data = 0;    ///< "HangarUpdate", the glider data file's version
};

/// Reads the server's version file ("Version=..." and "HangarUpdate=..." lines).
[[nodiscard]] LatestVersions parse_version_numbers(std::string_view text);

/// The data version as the download names it: 7 gives "HU07".
[[nodiscard]] std::string data_version_text(int version);

/// Download page for the interface language ("FR", "DE", others English).
[[nodiscard]] std::string download_page(std::string_view lang);

/// Command that opens `url` in the browser: the words of KALVEO_BROWSER
/// followed by the address when that is set, else the system's opener.
[[nodiscard]] std::vector<std::string> browser_command(const std::string& url);

/// The steps of install_data_file before the new file is moved into place, for the test seam
/// (the move itself fails through set_replace_fault).
enum class DataInstallStep { download, write, backup };

/// Test seam: when set, asked before each step; a non-zero answer (an errno value) makes
/// that step fail as the system would; a failed write leaves half of the downloaded file.
/// An empty function (the default) injects nothing.
using DataInstallFault = std::function<int(DataInstallStep)>;

/// Downloads data file version `version` from `server` beside the data file
/// and, only when that worked and it reads as that version, keeps a copy of the
/// old file under its next numbered name and renames the new one into its place
/// (after its bytes reached the disk). On failure at any step the old file stays
/// whole where it was, no numbered copy or download is left, the log says why
/// and the download-failed message is shown.
bool install_data_file(const std::string& server, int version, const DataInstallFault& fault = {});

/// Asks the server for the latest versions and offers what is newer than
/// program version `numver`: the download page in language `lang` for a newer
/// program (the program then ends), or the newer data file. Does nothing
/// visible when the server cannot be reached.
void update_data(int numver, std::string_view lang, const MessagesRecord& texts,
                 const DataInstallFault& fault = {});

} // namespace kalveo
