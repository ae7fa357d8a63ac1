#include "program_folder.h"

#include "platform/socket.h"

#include <sstream>

namespace kalveo::testing {

namespace {

namespace fs = std::filesystem;

bool copy_program(const fs::path& from, const fs::path& to, std::string& problem) {
    std::error_code ec;
    fs::create_directories(to, ec);
    fs::copy_file(from / "kalveo", to / "kalveo", ec);
    for (const char* folder : {"Settings", "Lang", "Sounds", "Manual", "Debrief"}) {
        if (ec) break;
        fs::copy(from / folder, to / folder, fs::copy_options::recursive, ec);
    }
    if (ec) problem = "cannot copy the program folder " + from.string() + ": " + ec.message();
    return !ec;
}

std::string with_line_value(const std::string& text, const std::string& key,
                            const std::string& value) {
    std::istringstream in(text);
    std::string out;
    std::string line;
    bool found = false;
    while (std::getline(in, line)) {
        const bool cr = !line.empty() && line.back() == '\r';
        if (cr) line.pop_back();
        if (line.rfind(key + "=", 0) == 0) {
            line = key + "=" + value;
            found = true;
        }
        out += line + (cr ? "\r\n" : "\n");
    }
    if (!found) out += key + "=" + value + "\n";
    return out;
}

} // namespace

int free_udp_port() {
    socket_library_start();
    const SocketHandle s = udp_socket_open();
    int port = 0;
    if (s != kNoSocket && socket_bind(s, Ipv4Endpoint{kIpv4Loopback, 0}) == 0) {
        if (const auto local = socket_local_endpoint(s)) port = local->port;
    }
    if (s != kNoSocket) socket_close(s);
    return port;
}

ProgramFolder::ProgramFolder(const SampleInstallOptions& sample) {
    if (!copy_program(env_folder("KALVEO_BIN_DIR"), program_dir(), problem_)) return;
    port_ = free_udp_port();
    if (port_ <= 0) {
        problem_ = "no free UDP port";
        return;
    }
    SampleInstallOptions options = sample;
    options.udp.port = port_;
    sample_ = build_sample_installation(dir_ / "sample", options);
    if (!sample_.ok) {
        problem_ = "sample installation: " + sample_.error;
        return;
    }
    set_setting("Port", std::to_string(port_));
    answers("");
    ready_ = true;
}

fs::path ProgramFolder::settings_file() const {
    return program_dir() / "Settings" / "Kalveo.ini";
}

fs::path ProgramFolder::run_log() const {
    return program_dir() / "Logs" / "Logfile.txt";
}

fs::path ProgramFolder::stdout_log() const {
    return program_dir() / "StdOut.log";
}

void ProgramFolder::set_setting(const std::string& key, const std::string& value) {
    write_file(settings_file(), with_line_value(read_file(settings_file()), key, value));
}

void ProgramFolder::answers(const std::string& lines) {
    write_file(dir_ / "answers.txt", lines);
}

void ProgramFolder::simulator_log(SampleLogState state) {
    write_file(sample_.condor3.install / "Logs" / "Logfile.txt", log_file_text(3013, state));
}

std::map<std::string, std::string> ProgramFolder::environment(const std::string& display) const {
    std::map<std::string, std::string> env{
        {"SDL_AUDIODRIVER", "disk"},
        {"SDL_DISKAUDIOFILE", audio().string()},
        {"KALVEO_DIALOGS", "script:" + (dir_ / "answers.txt").string()},
        {"WINEPREFIX", sample_.prefix.string()},
        {"KALVEO_PDF_VIEWER", "true"},
        {"LANG", "C"},
        {"LC_ALL", "C"},
        {"LC_MESSAGES", "C"},
        {"DISPLAY", display},
    };
    // Without a display SDL would look for another video driver: none is the honest answer.
    if (display.empty()) env["SDL_VIDEODRIVER"] = "dummy";
    return env;
}

std::unique_ptr<ProgramRun> ProgramFolder::start(const std::vector<std::string>& args,
                                                 const std::string& display) {
    return std::make_unique<ProgramRun>(program_dir() / "kalveo", args, environment(display),
                                        early_output());
}

} // namespace kalveo::testing
