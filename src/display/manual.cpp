#include "display/manual.h"

#include "flight/records.h"
#include "platform/env.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "shell/log.h"
#include "text/blanks.h"

#include <filesystem>

#ifdef _WIN32
#include "platform/registry.h"
#endif

namespace kalveo {

namespace {

#ifdef _WIN32
// The registered Acrobat reader opens a file at a page: reader /A "page=N" file.
std::vector<std::string> reader_at_page(const std::string& file, int section) {
    std::string command;
    int len = -1;
    if (RdUsrReg("acrobat\\shell\\open\\command", "", command, len) != kRegistryOk) return {};
    std::vector<std::string> words = split_command_words(command);
    if (words.empty()) return {};
    std::vector<std::string> argv{words.front(), "/A", "page=" + std::to_string(section), file};
    return argv;
}

std::vector<std::string> system_opener(const std::string& file, int section) {
    if (section != 0) {
        if (auto argv = reader_at_page(file, section); !argv.empty()) return argv;
    }
    return {"explorer.exe", file};
}
#else
std::vector<std::string> system_opener(const std::string& file, int /*section*/) {
    return {"xdg-open", file};
}
#endif

} // namespace

std::string manual_file(std::string_view lang) {
    return trim(lang) == "FR" ? "Manual\\Manual_FR.pdf" : "Manual\\Manual_EN.pdf";
}

std::vector<std::string> manual_command(const std::string& file, int section) {
    if (const auto viewer = get_env("KALVEO_PDF_VIEWER"); viewer && !trim(*viewer).empty()) {
        std::vector<std::string> argv = split_command_words(*viewer);
        argv.push_back(file);
        return argv;
    }
    return system_opener(file, section);
}

bool display_manual(int section) {
    const std::string name = manual_file(my_tas_c.lang);
    const std::filesystem::path file = native_path(name);
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        log_printf("\"Manual not found : %s\"", name.c_str());
        return false;
    }
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    const auto argv = manual_command(ec ? file.string() : absolute.string(), section);
    const bool started = launch_program(argv);
    log_printf("\"Manual %s section %d : %s\"", name.c_str(), section,
               started ? "opened" : "viewer could not be started");
    return started;
}

} // namespace kalveo
