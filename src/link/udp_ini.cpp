#include "link/udp_ini.h"

#include "config/records.h"
#include "flight/records.h"
#include "platform/documents.h"
#include "platform/process.h"
#include "report/log.h"
#include "report/messages.h"
#include "report/stop.h"
#include "sim/sim_files.h"
#include "text/blanks.h"
#include "text/key_value.h"
#include "text/number_read.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

namespace kalveo {
namespace {

constexpr int kOpenFailed = 1;
constexpr int kReadFailed = 2;
constexpr int kEditPasses = 2;

enum class Section { none, general, connection, misc };

bool section_line(std::string_view line, Section& section) {
    const auto name = trim_right(line);
    if (name == "[General]")
        section = Section::general;
    else if (name == "[Connection]")
        section = Section::connection;
    else if (name == "[Misc]")
        section = Section::misc;
    else
        return false;
    return true;
}

void set_int(std::string_view val, int& field) {
    if (auto v = read_int(val)) field = *v;
}

void take_value(Section section, const KeyValue& kv, UdpIniValues& v) {
    if (kv.val.empty()) return;
    if (section == Section::general && kv.key == "Enabled") set_int(kv.val, v.enabled);
    if (section == Section::connection && kv.key == "Port") set_int(kv.val, v.port);
    if (section == Section::connection && kv.key == "Host") {
        v.host = kv.val.substr(0, kUdpHostLength);
        v.has_host = true;
    }
    if (section == Section::misc && kv.key == "SendIntervalMs") set_int(kv.val, v.send_interval);
    if (section == Section::misc && kv.key == "ExtendedData1") set_int(kv.val, v.extended);
}

std::string udp_not_active_text(const UdpIniValues& v, const MessagesRecord& texts) {
    std::string text = texts.msgudpnact;
    if (v.enabled != 1) text += "\n" + texts.msgudpenab;
    if (v.extended != 1) text += "\n" + texts.msgextdata;
    return text;
}

// Opens the file in the pilot's editor and waits for it to be closed.
void edit_file(std::string_view fich, std::string_view text_editor) {
    const std::string_view editor = trim(text_editor);
    const auto [argv, stands_in] = text_editor_command(editor, simulator_file(fich).string());
    if (stands_in)
        log_verbatim("Text editor not found (" + std::string(editor) + "), using " + argv.front());
    const int exit_status = run_program(argv);
    const int command_status = exit_status == kNotStarted ? -1 : 0;
    // The log names the file as the simulator does: its "/" would cut a host path.
    log_message_f((stands_in ? argv.front() : std::string(editor)) + " " + std::string(fich));
    log_message_f("EDIT :" + std::to_string(exit_status) + " " + std::to_string(command_status));
}

void warn(std::string_view text) {
    error_message_tit(kBoxWarning, kDefaultBoxTitle, text);
}

} // namespace

UdpIniValues parse_udp_ini(std::string_view text) {
    UdpIniValues values;
    Section section = Section::none;
    for (const auto& line : split_text_lines(text, kUdpIniLineLength)) {
        if (section_line(line, section)) continue;
        take_value(section, extract_key_val(line), values);
    }
    return values;
}

int read_udp_ini(std::string_view fich, int& nena, int& port, int& sndint, int& next1,
                 std::string& host) {
    nena = port = sndint = next1 = 0;
    const auto file = simulator_file(fich);
    std::error_code ec;
    std::ifstream in;
    if (!std::filesystem::is_directory(file, ec)) in.open(file, std::ios::binary);
    if (debug_mode()) log_message_f("OPEN " + std::to_string(in.is_open() ? 0 : kOpenFailed));
    if (!in.is_open()) return kOpenFailed;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return kReadFailed;
    const UdpIniValues v = parse_udp_ini(text.str());
    nena = v.enabled;
    port = v.port;
    sndint = v.send_interval;
    next1 = v.extended;
    if (v.has_host) host = v.host;
    return 0;
}

void set_udp_ini(std::string_view fich, int icn, int& nprt, int& nsnd, int& next1,
                 std::string& host, std::string_view text_editor, const MessagesRecord& texts,
                 const std::function<void(int section)>& show_manual) {
    const std::string name(trim(fich));
    if (!simulator_file_exists(name)) {
        warn(name + "\n" + texts.msgfilnfnd);
        nprt = kDefaultSimulatorPort;
    } else {
        for (int pass = 1;; ++pass) {
            UdpIniValues v;
            const int status = read_udp_ini(name, v.enabled, nprt, nsnd, next1, host);
            v.extended = next1;
            std::printf("Enabled, ExtendedData1, SendIntervalMs %d %d %d\n", v.enabled, next1,
                        nsnd);
            if (status != 0) {
                warn(name + "\n" + texts.msgrderror);
                nprt = kDefaultSimulatorPort;
                break;
            }
            if (v.enabled == 1 && next1 == 1) {
                if (nprt > 0) break;
                warn("Condor " + std::to_string(icn % 10) +
                     ": Port number not defined in UDP.ini file\nAssuming defaut = 55278");
                nprt = kDefaultSimulatorPort;
                break;
            }
            error_message_tit(kBoxInfo, kDefaultBoxTitle, udp_not_active_text(v, texts));
            edit_file(name, text_editor);
            if (pass >= kEditPasses) {
                if (show_manual) show_manual(3);
                stop_program("UPD not activated or ExtendedData1 not = 1");
            }
        }
    }
    std::printf("set_udp_ini %d %d\n", icn, nprt);
    log_message_f("set_udp_ini " + std::to_string(icn) + " " + std::to_string(nprt));
}

} // namespace kalveo
