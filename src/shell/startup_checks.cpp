#include "shell/startup_checks.h"

#include "config/language.h"
#include "platform/paths.h"
#include "report/log.h"
#include "report/messages.h"
#include "report/stop.h"
#include "text/blanks.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace kalveo {

namespace {

constexpr const char* kScratchName = "kalveo_write_test.tmp";

// In a box text "/" starts a new line; a folder's own slashes must stay slashes.
std::string box_safe(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '/') out += '\\';
        out += c;
    }
    return out;
}

} // namespace

int vers_num() {
    return kProgramVersion;
}

VersionVerdict compare_versions(int numver, int numver_fich) {
    if (numver / 100 == numver_fich / 100) return VersionVerdict::same;
    return numver >= numver_fich ? VersionVerdict::program_newer : VersionVerdict::file_newer;
}

bool folder_accepts_files(const std::string& folder) {
    const std::filesystem::path scratch = native_path(folder) / kScratchName;
    {
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << "x";
        if (!out.flush()) return false;
    }
    std::error_code ec;
    return std::filesystem::remove(scratch, ec) && !ec;
}

void check_writable_folder(const std::string& folder, std::string_view title) {
    if (folder_accepts_files(folder)) return;
    const std::string shown = box_safe(folder);
    const std::string message =
        IsLanguageFrench()
            ? "Le dossier " + shown +
                  " n'est pas accessible en \xc3\xa9"
                  "criture" +
                  "/Modifiez les droit d'acc\xc3\xa8s du dossier" +
                  "/Ou installez Kalveo \xc3\xa0 un autre emplacement"
            : "The " + shown + " folder is not writable/Change the access rights of the folder" +
                  "/Or install in another location";
    error_message_tit(kBoxError, title, message);
    log_message_f("\"" + folder + " : folder not writable\"");
    stop_program("The settings folder is not writable");
}

bool udp_settings_differ(const SimulatorUdp& c2, const SimulatorUdp& c3) {
    return c2.port != c3.port || c2.send_interval != c3.send_interval ||
           trim(c2.host) != trim(c3.host);
}

int simulator_port(bool qc2, bool qc3, int nprt2, int nprt3) {
    if (!qc2 && !qc3) return -1;
    return std::max(nprt2, nprt3);
}

} // namespace kalveo
