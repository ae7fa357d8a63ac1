#include "config/settings_editor.h"

#include "config/settings.h"
#include "platform/dialogs.h"
#include "platform/documents.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "report/log.h"
#include "report/trace.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>

namespace kalveo {

namespace {

constexpr std::string_view kSetupProgram = ".\\Kalveo_Setup.exe";
constexpr const char* kNoSetupProgram =
    "Kalveo_Setup.exe is not in the Kalveo folder.\nPress \"e\" in the Kalveo window to edit "
    "the same settings (Settings\\Kalveo.ini) in your text editor.";

// The editor started by the window keys; the event loop asks at each tick whether it ended.
// One editor at a time for the whole program, so its state and what start-up told it are
// kept here, once.
struct Editing {
    ChildProgram program;
    bool open = false;
    SettingsEditing setup;
};

Editing& editing() {
    static Editing e;
    return e;
}

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
    return tinyfd_messageBox("Kalveo", editing().setup.restart_question, "yesno", "question", 1) ==
           1;
}

bool setup_program_missing() {
    std::error_code ec;
    if (std::filesystem::exists(native_path(kSetupProgram), ec)) return false;
    std::string line = kNoSetupProgram;
    std::replace(line.begin(), line.end(), '\n', ' ');
    log_verbatim(line);
    tinyfd_messageBox("Kalveo", kNoSetupProgram, "ok", "warning", 1);
    return true;
}

// What follows the editor's end: its status, then the restart question.
int edit_ended(int status) {
    const int exitstat = status == kNotStarted ? -1 : status;
    const int cmdstat = status == kNotStarted ? 1 : 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "CONFIG :%8d%8d", exitstat, cmdstat);
    trace("%s\n", buffer);
    log_message_f(buffer);

    if (exitstat == 0 && cmdstat == 0 && restart_wanted()) {
        log_message_f("Kalveo will restart");
        return 1;
    }
    return 0;
}

} // namespace

namespace {

TextEditorCommand edit_command(int nsetup) {
    if (nsetup != 0) {
        std::vector<std::string> argv{native_path(kSetupProgram).string()};
        if (editing().setup.keep_console) argv.emplace_back("-keep");
        return {argv};
    }
    return text_editor_command(editing().setup.text_editor, native_path(kSettingsFile).string());
}

} // namespace

void set_up_settings_editing(SettingsEditing setup) {
    editing().setup = std::move(setup);
}

std::vector<std::string> settings_edit_command(int nsetup) {
    return edit_command(nsetup).argv;
}

bool start_settings_edit(int nsetup) {
    Editing& e = editing();
    if (e.open) {
        log_message_f("The settings editor is already open");
        return false;
    }
    if (nsetup != 0 && setup_program_missing()) return false;
    const auto [argv, stands_in] = edit_command(nsetup);
    if (stands_in)
        log_verbatim("Text editor not found (" + editing().setup.text_editor + "), using " +
                     argv.front());
    log_message_f("\"" + shown_command(argv) + "\"");
    e.program = start_program(argv);
    if (!e.program.started()) {
        edit_ended(kNotStarted);
        return false;
    }
    e.open = true;
    return true;
}

bool settings_editor_open() {
    return editing().open;
}

int settings_edit_ended() {
    Editing& e = editing();
    if (!e.open) return 0;
    const std::optional<int> status = e.program.poll();
    if (!status) return 0;
    e.open = false;
    return edit_ended(*status);
}

} // namespace kalveo
