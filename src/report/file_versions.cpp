#include "report/file_versions.h"

#include "platform/paths.h"
#include "report/log.h"
#include "report/messages.h"
#include "text/blanks.h"
#include "text/versions.h"

#include <filesystem>
#include <system_error>

namespace kalveo {

namespace fs = std::filesystem;

namespace {

// A copy keeps the original's time, as a copy made by hand does; a copy that
// failed halfway is removed.
void copy_keeping_time(const fs::path& from, const fs::path& to, std::error_code& ec) {
    fs::copy_file(from, to, fs::copy_options::none, ec);
    if (ec) {
        std::error_code ignored;
        if (ec != std::errc::file_exists && fs::exists(from, ignored)) fs::remove(to, ignored);
        return;
    }
    std::error_code time_ec;
    const auto time = fs::last_write_time(from, time_ec);
    if (!time_ec) fs::last_write_time(to, time, time_ec);
}

} // namespace

int get_new_vers(std::string& fnam) {
    const auto next = next_version_name(fnam);
    if (!next) {
        error_message(kBoxWarning, "No new version could be determined for file: " +
                                       std::string(trim_right(fnam)));
        return 0;
    }
    fnam = *next;
    return 1;
}

int save_old_file(std::string& fnam, bool qcopy) {
    const std::string old_name(trim_right(fnam));
    if (get_new_vers(fnam) == 0) return 0;
    const fs::path from = native_path(old_name);
    const fs::path to = native_path(fnam);
    std::error_code ec;
    if (qcopy)
        copy_keeping_time(from, to, ec);
    else
        fs::rename(from, to, ec);
    // Quoted, so that the log keeps it on one line whatever the names hold.
    const std::string outcome = ec ? "failed (" + ec.message() + ")" : "done";
    log_message_f("\"save_old_file: " + std::string(qcopy ? "COPY " : "REN ") + old_name + " -> " +
                  fnam + " : " + outcome + "\"");
    return ec ? 0 : 1;
}

} // namespace kalveo
