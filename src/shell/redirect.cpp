#include "platform/files.h"
#include "platform/paths.h"
#include "platform/program_path.h"
#include "platform/std_streams.h"
#include "report/log.h"
#include "report/messages.h"
#include "report/stop.h"
#include "shell/console.h"

#include <filesystem>
#include <string>

namespace kalveo {

namespace {

std::string in_folder(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
    return path + std::string(name);
}

// Program-folder paths hold "/" on Linux: a quoted message stays one line.
void log_line(const std::string& text) {
    log_message_f("\"" + text + "\"");
}

} // namespace

void backup_file(std::string_view fnam) {
    const std::string name(fnam);
    const auto file = native_path(name);
    const auto backup = native_path(name + ".bak");
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return;
    if (std::filesystem::exists(backup, ec) || std::filesystem::is_symlink(backup, ec)) {
        if (!std::filesystem::remove(backup, ec) || ec) {
            log_line(name + ".bak: Error deleting - " + name + " will be overwritten");
            return;
        }
    }
    ec = rename_replacing(file, backup);
    if (ec) log_line(name + ": Error renaming to .bak - " + name + " will be overwritten");
}

int start_redirect(const char* outfile, const char* errfile) {
    return redirect_standard_streams(native_path(outfile), native_path(errfile)) ? 0
                                                                                 : kRedirectFailed;
}

void begin_redirect() {
    begin_redirect_in(get_inst_path());
}

void begin_redirect_in(std::string_view folder) {
    const std::string out = in_folder(folder, "StdOut.log");
    const std::string err = in_folder(folder, "StdErr.log");
    backup_file(out);
    backup_file(err);
    if (start_redirect(out.c_str(), err.c_str()) != 0) {
        error_message_vfl(kBoxError, kDefaultBoxTitle, "Error redirecting");
        stop_program("Standard output and error could not be redirected");
    }
    log_line("Standard output redirected to " + out);
    log_line("Standard error  redirected to " + err);
}

} // namespace kalveo
