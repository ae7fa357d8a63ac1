#include "config/settings_editor.h"

#include "config/records.h"
#include "config/settings.h"
#include "flight/records.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "report/log.h"
#include "report/records.h"
#include "report/trace.h"

#include <cstdio>

namespace kalveo {

namespace {

constexpr std::string_view kSetupProgram = ".\\Kalveo_Setup.exe";

// The command as a person would type it, for the log.
std::string shown_command(const std::vector<std::string>& argv) {
    std::string shown;
    for (const auto& word : argv) {
        if (!shown.empty()) shown += ' ';
        const bool quote = word.empty() || word.find(' ') != std::string::npos;
        shown += quote ? "\"" + word + "\"" : word;
    }
    return shown;
}

bool restart_wanted() {
    return tinyfd_messageBox("Kalveo", messages.msgeditend, "yesno", "question", 1) == 1;
}

} // namespace

std::vector<std::string> settings_edit_command(int nsetup) {
    if (nsetup != 0) {
        std::vector<std::string> argv{native_path(kSetupProgram).string()};
        if (cmndta001.qkeepwnd) argv.emplace_back("-keep");
        return argv;
    }
    std::vector<std::string> argv = split_command_words(cmndta000.text_editor);
    if (argv.empty()) return argv;
    argv.push_back(native_path(kSettingsFile).string());
    return argv;
}

int config_ini(int nsetup) {
    const auto argv = settings_edit_command(nsetup);
    log_message_f("\"" + shown_command(argv) + "\"");
    const int status = argv.empty() ? kNotStarted : run_program(argv);
    const int exitstat = status == kNotStarted ? -1 : status;
    const int cmdstat = status == kNotStarted ? 1 : 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "CONFIG :%8d%8d", exitstat, cmdstat);
    trace("%s\n", buffer);
    log_message_f(buffer);

    if (!my_tas_1.kalveo_init) return 0;
    if (exitstat == 0 && cmdstat == 0 && restart_wanted()) {
        log_message_f("Kalveo will restart");
        cmndta001.qrestart = true;
        my_tas_1.kalveo_init = false;
        my_tas_1.condor_started = false;
        return 1;
    }
    cmndta001.qrestart = false;
    return 0;
}

} // namespace kalveo
