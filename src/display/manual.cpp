#include "display/manual.h"

#include "flight/records.h"
#include "platform/documents.h"
#include "platform/env.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "report/log.h"
#include "text/blanks.h"

#include <filesystem>

namespace kalveo {

std::string manual_file(std::string_view lang) {
    return trim(lang) == "FR" ? "Manual\\Manual_FR.pdf" : "Manual\\Manual_EN.pdf";
}

std::vector<std::string> manual_command(const std::string& file, int section) {
    if (const auto viewer = get_env("KALVEO_PDF_VIEWER"); viewer && !trim(*viewer).empty()) {
        std::vector<std::string> argv = split_command_words(*viewer);
        argv.push_back(file);
        return argv;
    }
    return document_viewer_command(file, section);
}

bool display_manual(int section, std::string_view language) {
    const std::string name = manual_file(language);
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
