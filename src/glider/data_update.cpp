#include "glider/data_update.h"

#include "config/records.h"
#include "glider/file_bytes.h"
#include "glider/glider_data.h"
#include "platform/dialogs.h"
#include "platform/documents.h"
#include "platform/env.h"
#include "platform/file_replace.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "report/file_versions.h"
#include "report/log.h"
#include "report/messages.h"
#include "report/stop.h"
#include "report/trace.h"
#include "text/blanks.h"
#include "text/key_value.h"
#include "text/number_read.h"
#include "text/value_format.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <system_error>

#ifndef KALVEO_UPDATE_URL_DEFAULT
#define KALVEO_UPDATE_URL_DEFAULT "https://kalveo.example.org"
#endif

namespace kalveo {
namespace {

constexpr char kTitle[] = "Kalveo";
constexpr char kVersionFile[] = "Settings\\KALVEO_TMP.txt";
constexpr char kDownloadFile[] = "Settings\\Kalveo_data_download.tmp";
constexpr char kDownloadFailed[] = "Download failed\\Please download the file from the website";

// Exit status and whether the command could be run at all, as printed.
struct CommandStatus {
    int exitstat = 0;
    int cmdstat = 0;
    [[nodiscard]] bool ok() const { return exitstat == 0 && cmdstat == 0; }
};

CommandStatus run_and_report(const std::vector<std::string>& argv) {
    const int status = run_program(argv);
    CommandStatus result{status, status == kNotStarted ? 1 : 0};
    trace("exitstat=%d\ncmdstat=%d\n", result.exitstat, result.cmdstat);
    return result;
}

// A data file is a few tens of kilobytes; anything much larger is not one.
constexpr std::uintmax_t kMaxDownloadBytes = 1024 * 1024;

bool is_loopback_http(std::string_view url) {
    for (const std::string_view host :
         {"http://127.", "http://localhost:", "http://localhost/", "http://[::1]"}) {
        if (url.starts_with(host)) return true;
    }
    return url == "http://localhost";
}

// curl without a shell: silent, failing on HTTP errors instead of saving the
// error page, bounded in time so start-up cannot hang on a slow server, and in size.
// Only https reaches the network; plain http is left to a server on this machine.
std::vector<std::string> curl_command(const std::filesystem::path& output, const std::string& url,
                                      const char* max_time) {
    return {"curl",
            "--proto",
            is_loopback_http(url) ? "=http" : "=https",
            "--connect-timeout",
            "3",
            "--max-time",
            max_time,
            "--max-filesize",
            std::to_string(kMaxDownloadBytes),
            "-s",
            "-f",
            "-o",
            output.string(),
            url};
}

// The server's address as the update may use it: https, or http on this machine.
bool usable_server(const std::string& server) {
    if (server.starts_with("https://") || is_loopback_http(server)) return true;
    log_message_f("Update server not used (only https is) : " + server);
    return false;
}

// curl cannot bound a download whose size the server does not announce beforehand.
bool too_large(const std::filesystem::path& file) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    return !ec && size > kMaxDownloadBytes;
}

LatestVersions fetch_latest_versions(const std::string& server) {
    const std::filesystem::path file = native_path(kVersionFile);
    std::error_code ec;
    std::filesystem::remove(file, ec);
    const CommandStatus status =
        run_and_report(curl_command(file, server + "/Kalveo/Kalveo_Version_Numbers.txt", "10"));
    LatestVersions latest;
    if (status.ok() && !too_large(file)) {
        if (const std::optional<std::string> text = read_file_bytes(file)) {
            trace("%s\n", text->c_str());
            latest = parse_version_numbers(*text);
        } else {
            trace("%s could not be read\n", kVersionFile);
        }
    }
    std::filesystem::remove(file, ec);
    return latest;
}

std::string question(const std::string& first, const std::string& version,
                     const std::string& last) {
    return std::string(trim_right(first)) + " " + version + " " + std::string(trim_right(last));
}

bool ask(const std::string& text) {
    return tinyfd_messageBox(kTitle, text, "yesno", "question", 1) == 1;
}

// The version of a data file, or 0.
int data_file_version(std::string_view fff) {
    GliderValues unused;
    return read_data(fff, " ", true, 0, unused);
}

void offer_program(const std::string& server, int latest, int numver, std::string_view lang,
                   const MessagesRecord& texts) {
    if (numver >= latest) return;
    if (!ask(question(texts.msgnewdat1, numver_to_char(latest), texts.msgnewprog))) return;
    const std::string url = server + "/" + download_page(lang);
    if (run_and_report(browser_command(url)).ok()) {
        stop_program("Download page of version " + numver_to_char(latest) + " opened: " + url, 0);
    }
}

void offer_data(const std::string& server, int latest, const MessagesRecord& texts,
                const DataInstallFault& fault) {
    const int local = data_file_version(kGliderDataFile);
    trace("HangarUpdate %d %d\n", latest, local);
    if (local >= latest) return;
    if (!ask(question(texts.msgnewdat1, data_version_text(latest), texts.msgnewdat2))) {
        return;
    }
    install_data_file(server, latest, fault);
}

int fault_at(const DataInstallFault& fault, DataInstallStep step) {
    return fault ? fault(step) : 0;
}

// A download whose write failed halfway: half of the file is there and curl says so (its
// status 23, "write error").
CommandStatus cut_short(const std::filesystem::path& download) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(download, ec);
    if (!ec) std::filesystem::resize_file(download, size / 2, ec);
    return {23, 0};
}

bool download_failed(const std::filesystem::path& download) {
    std::error_code ec;
    std::filesystem::remove(download, ec);
    error_message_tit(kBoxWarning, kTitle, kDownloadFailed);
    return false;
}

} // namespace

std::string update_server() {
    std::string server = get_env("KALVEO_UPDATE_URL").value_or("");
    if (is_blank_text(server)) server = KALVEO_UPDATE_URL_DEFAULT;
    server = std::string(trim(server));
    while (server.ends_with('/'))
        server.pop_back();
    return server;
}

LatestVersions parse_version_numbers(std::string_view text) {
    LatestVersions latest;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const KeyValue kv = extract_key_val(text.substr(0, end));
        if (!kv.val.empty()) {
            if (kv.key == "Version") latest.program = read_int(kv.val).value_or(latest.program);
            if (kv.key == "HangarUpdate") latest.data = read_int(kv.val).value_or(latest.data);
        }
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return latest;
}

std::string data_version_text(int version) {
    char text[16];
    std::snprintf(text, sizeof text, "HU%02d", version);
    return text;
}

std::string download_page(std::string_view lang) {
    const std::string_view code = trim(lang);
    if (code == "FR") return "index_fr.php#Kalveo";
    if (code == "DE") return "index_de.php#Kalveo";
    return "index.php#Kalveo";
}

std::vector<std::string> browser_command(const std::string& url) {
    std::vector<std::string> argv;
    if (const std::optional<std::string> browser = get_env("KALVEO_BROWSER")) {
        argv = split_command_words(*browser);
    }
    if (argv.empty()) return document_viewer_command(url);
    argv.push_back(url);
    return argv;
}

bool install_data_file(const std::string& server, int version, const DataInstallFault& fault) {
    const std::filesystem::path download = native_path(kDownloadFile);
    const std::filesystem::path target = native_path(kGliderDataFile);
    std::error_code ec;
    std::filesystem::remove(download, ec);
    const std::string url = server + "/Kalveo/Kalveo_data_for_automatic_downloads_only_" +
                            data_version_text(version) + ".txt";
    trace("curl %s > %s\n", url.c_str(), kDownloadFile);
    CommandStatus fetched;
    if (const int error = fault_at(fault, DataInstallStep::download)) {
        fetched = {error, 1};
    } else {
        fetched = run_and_report(curl_command(download, url, "60"));
        if (fetched.ok()) {
            if (fault_at(fault, DataInstallStep::write) != 0) fetched = cut_short(download);
        }
    }
    if (!fetched.ok()) return download_failed(download);
    if (too_large(download)) {
        log_message_f("Downloaded glider data larger than 1 MB: not used");
        return download_failed(download);
    }
    const int got = data_file_version(kDownloadFile);
    if (got != version) {
        log_message_f("Downloaded glider data reads as version " + std::to_string(got) +
                      " instead of " + std::to_string(version) + ": not used");
        return download_failed(download);
    }
    const std::string problem = glider_data_problem(read_file_bytes(download).value_or(""));
    if (!problem.empty()) {
        log_message_f("Downloaded glider data unusable (" + problem + "): not used");
        return download_failed(download);
    }
    // The old file is copied to its numbered name and stays in place until the new one
    // replaces it in one rename: whatever fails, a whole data file is there.
    std::string kept(kGliderDataFile);
    const bool had_old = std::filesystem::exists(target, ec);
    if (had_old) {
        const int saved = fault_at(fault, DataInstallStep::backup) ? 0 : save_old_file(kept, true);
        trace("save_old_file %d %s\n", saved, kept.c_str());
        if (saved == 0) return download_failed(download);
    }
    if (const std::error_code moved = move_into_place(download, target)) {
        log_verbatim("Glider data not replaced: " + moved.message());
        if (had_old) std::filesystem::remove(native_path(kept), ec);
        return download_failed(download);
    }
    if (had_old) {
        error_message_tit(kBoxInfo, kTitle, "Existing file renamed to " + kept);
    }
    log_message_f("Glider data file " + data_version_text(version) + " installed");
    return true;
}

void update_data(int numver, std::string_view lang, const MessagesRecord& texts,
                 const DataInstallFault& fault) {
    trace("\n\n\n\n\n\n\n\n\n\nupdate_data\n");
    const std::string server = update_server();
    if (!usable_server(server)) return;
    const LatestVersions latest = fetch_latest_versions(server);
    trace("Version %d %d\n", latest.program, numver);
    offer_program(server, latest.program, numver, lang, texts);
    offer_data(server, latest.data, texts, fault);
}

} // namespace kalveo
