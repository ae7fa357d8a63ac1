#include "shell/startup.h"

#include "config/language.h"
#include "config/records.h"
#include "config/settings.h"
#include "config/settings_editor.h"
#include "config/settings_writer.h"
#include "display/manual.h"
#include "flight/cycle.h"
#include "flight/records.h"
#include "glider/data_update.h"
#include "glider/records.h"
#include "link/udp_ini.h"
#include "platform/paths.h"
#include "platform/program_path.h"
#include "platform/wine_prefix.h"
#include "report/log.h"
#include "report/messages.h"
#include "report/stop.h"
#include "shell/console.h"
#include "shell/instrument.h"
#include "shell/settings_records.h"
#include "shell/startup_checks.h"
#include "shell/startup_options.h"
#include "shell/startup_sounds.h"
#include "shell/startup_switches.h"
#include "shell/startup_text.h"
#include "sim/install.h"
#include "sim/records.h"
#include "sound/sound.h"
#include "text/blanks.h"
#include "text/text_format.h"
#include "text/value_format.h"

#include <filesystem>
#include <optional>

namespace kalveo {

namespace {

constexpr std::size_t kMessageLength = 255;

struct Pass {
    Instrument& instrument;
    std::vector<std::string> args;
    bool first = true;
    int numver = 0;  ///< the program's version, major x 1000 + minor x 100 + release x 10 + build
    std::string cc1; ///< the program's version as text
    LanguageTexts language; ///< the language of this pass and its texts
};

// The box, then the stop, which writes the message to the log.
[[noreturn]] void fatal(std::string_view message) {
    error_message_tit(kBoxError, kDefaultBoxTitle, message);
    stop_program(message);
}

void prepare_program_folder(const Pass& pass) {
    const std::string app_path = get_inst_path();
    set_error_log_folder(app_path);
    check_writable_folder(app_path + "Settings", kDefaultBoxTitle);
    // An installation without its (empty) Logs folder would lose the whole run log.
    std::error_code ec;
    std::filesystem::create_directories(native_path("Logs"), ec);
    // A pilot who starts again before writing a bug report still has the flight's logs.
    backup_file("Logs\\Logfile.txt");
    backup_file("ErrorLog.txt");
    log_message_f("CREATE Logs\\Logfile.txt");
    log_message_f("Program    - version : " + pass.cc1);
    begin_redirect();
    // A run killed mid-flight left its flight without a page.
    Instrument::write_missing_pages();
}

Settings read_settings(Pass& pass) {
    std::optional<Settings> settings = rd_ini();
    if (!settings) fatal("Kalveo.ini error reading");
    pass.language = rd_lang(settings->program.language);
    if (settings->program.auto_update)
        update_data(pass.numver, pass.language.code, pass.language.texts);
    return *settings;
}

void show_usage_and_stop(const Pass& pass) {
    for (const std::string& line : usage_lines(pass.args.front())) {
        startup_print(line);
        print_on_terminal(line);
    }
    stop_program("Usage shown", 0);
}

void log_switches(const Settings& settings) {
    std::string line;
    const auto item = [&line](const char* label, int value) {
        line += format_text("%-15s%4d/", label, value);
    };
    const ProgramSettings& program = settings.program;
    item("KbdHook", settings.keys.watch);
    item("QNETTO", program.netto_switch ? 1 : 0);
    item("QPOLAR", program.polar ? 1 : 0);
    item("QRECORD", program.record ? 1 : 0);
    log_message_f(line);
    if (program.netto_switch)
        log_message_f(format_text("%-15s%12.7f/", "T_NETTO", program.netto_hours));
    if (settings.keys.watch == 0) {
        log_message_f("**********************************/         Keyboard Hook DISABLED/"
                      "**********************************");
    }
}

void read_command_line(const Pass& pass, Settings& settings) {
    const bool help = apply_switches(pass.args, settings);
    hand_settings_to_records(settings);
    pass.instrument.take_settings(settings);
    if (help) show_usage_and_stop(pass);
    const bool keep_console = started_by_name(pass.args.front()) || settings.program.debug;
    if (!keep_console) HideConsole();
    set_up_settings_editing(
        {settings.program.text_editor, keep_console, pass.language.texts.msgeditend});
    log_switches(settings);
}

Installation find_simulator(const ProgramSettings& program, const MessagesRecord& texts) {
    for (const std::string& line : settle_wine_prefix(trim(program.wine_prefix)))
        log_verbatim(line);
    Installation found = check_condor_install(texts.msgpltfldr);
    if (found.condor_version == 0) fatal("No Condor installation detected");
    return found;
}

void check_settings_version(const Pass& pass, const Settings& settings) {
    const int file_version = settings.program.file_version;
    const std::string cc2 = numver_to_char(file_version);
    log_message_f("Kalveo.ini - version : " + cc2);
    startup_print(format_text(" %d %d", pass.numver, file_version));
    const VersionVerdict verdict = compare_versions(pass.numver, file_version);
    if (verdict == VersionVerdict::same) return;
    const MessagesRecord& texts = pass.language.texts;
    std::string text = std::string(trim(texts.msgvernum1)) + " " + cc2 + "\n" +
                       std::string(trim(texts.msgvernum2)) + " " + pass.cc1;
    startup_print(text);
    if (verdict == VersionVerdict::program_newer) {
        text += "\n" + std::string(trim(texts.msgfileupd));
        error_message_tit(kBoxInfo, kDefaultBoxTitle, text);
        if (const int status = rewrite_ini(settings, pass.numver); status != 0)
            log_message_f(format_text("{W}Kalveo.ini could not be rewritten : status %d", status));
        return;
    }
    text += "\n" + std::string(trim(texts.msgvernum3));
    error_message_tit(kBoxWarning, kDefaultBoxTitle, text);
}

SimulatorUdp read_simulator_udp(const std::string& folder, int version,
                                const ProgramSettings& program, const MessagesRecord& texts,
                                const std::string& language) {
    SimulatorUdp udp;
    const std::string file = std::string(trim(folder)) + "\\Settings\\UDP.ini";
    startup_print(format_text("C%d UDP : %s", version, file.c_str()));
    set_udp_ini(file, version, udp.port, udp.send_interval, udp.extended, udp.host,
                program.text_editor, texts,
                [&language](int section) { display_manual(section, language); });
    return udp;
}

// Returns the host the simulator sends its telemetry to.
std::string check_simulator_udp(const Settings& settings, const Installation& installation,
                                const MessagesRecord& texts, const std::string& language) {
    const LinkSettings& link = settings.link;
    SimulatorUdp c2;
    SimulatorUdp c3;
    if (installation.qc2)
        c2 = read_simulator_udp(installation.instpath2, 2, settings.program, texts, language);
    if (installation.qc3)
        c3 = read_simulator_udp(installation.instpath3, 3, settings.program, texts, language);
    if (installation.qc2 && installation.qc3 && udp_settings_differ(c2, c3)) {
        fatal(settings.program.french
                  ? "Les fichiers UDP.ini de Condor 2 et Condor 3 sont diff\xc3\xa9rents"
                  : "UDP.ini files for Condor 2 and Condor 3 are different");
    }
    const int nprt = simulator_port(installation.qc2, installation.qc3, c2.port, c3.port);
    startup_print(format_text(" %d %d", link.port, nprt));
    if (nprt >= 1 && nprt != link.port)
        error_message_tit(kBoxWarning, kDefaultBoxTitle, texts.msgdiffudp);
    // Both versions send to the same host (checked above).
    return installation.qc3 ? c3.host : c2.host;
}

void open_socket(Instrument& instrument, const LinkSettings& link,
                 const std::string& simulator_host) {
    startup_print(
        format_text(" %d %d %s", link.port, link.forward_port, link.forward_address.c_str()));
    // No box: the link has told why; the stop writes the line to the log.
    if (instrument.open_link(link.port, link.forward_port, trim(link.forward_address),
                             simulator_host) < 0)
        stop_program("UDP could not be inialized");
}

std::string message_text(const std::string& text) {
    std::string out(trim(text));
    if (out.size() > kMessageLength) out.resize(kMessageLength);
    return out;
}

int hand_over(Instrument& instrument, const Settings& settings, const MessagesRecord& texts) {
    const std::string fntn_c = font_file_name(settings.display);
    const DisplayOptions opt_c = build_display_options(settings);
    const std::string cu_c = display_unit_name(settings.speeds);
    startup_print(format_text(" StopWait %d %d", settings.program.stop_wait, opt_c.stop_wait));
    startup_print(" cunit " + std::string(trim(settings.speeds.unit_name)) + " " + cu_c);
    log_message_f(format_text(" %14.7f %c %d", settings.flaps.sound_max_bank,
                              settings.flaps.scale_by_load_factor ? 'T' : 'F',
                              settings.keys.watch));
    return instrument.run_windows(fntn_c, opt_c, &settings.flaps.sound_max_bank,
                                  message_text(texts.msgexitcnf), message_text(texts.msgcndrstp),
                                  message_text(texts.msgkeydefi), cu_c);
}

// Returns true when the settings editor asked for a restart.
bool run_pass(Pass& pass) {
    pass.numver = vers_num();
    pass.cc1 = numver_to_char(pass.numver);
    if (pass.first) prepare_program_folder(pass);
    Settings settings = read_settings(pass);
    read_command_line(pass, settings);
    const MessagesRecord& texts = pass.language.texts;
    const Installation installation = find_simulator(settings.program, texts);
    pass.instrument.take_installation(installation);
    pass.instrument.take_language(pass.language.code, texts);
    check_settings_version(pass, settings);
    open_socket(pass.instrument, settings.link,
                check_simulator_udp(settings, installation, texts, pass.language.code));
    if (pass.first) {
        start_sounds(pass.instrument.sound(), settings.sound.device);
        pass.instrument.take_sound_lengths();
    }
    return hand_over(pass.instrument, settings, texts) != 0;
}

} // namespace

int kalveo(const std::vector<std::string>& arguments) {
    keep_terminal();
    enter_program_folder();
    Instrument instrument;
    Pass pass{instrument};
    pass.args = kept_arguments(arguments);
    set_program_name(pass.args.front());
    // A fatal stop from inside the run still closes the socket and the windows in order.
    at_stop([&instrument] { instrument.sound().close(); });
    at_stop([&instrument] {
        if (instrument.has_windows()) instrument.close();
    });
    instrument.start_latency_probe_if_asked();

    while (run_pass(pass))
        pass.first = false;

    instrument.sound().close();
    instrument.close();
    log_message_f("Kalveo ended");
    return 0;
}

} // namespace kalveo
