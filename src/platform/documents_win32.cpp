#include "platform/documents.h"
#include "platform/process.h"
#include "platform/registry.h"

namespace kalveo {

namespace {

// The registered Acrobat reader opens a file at a page: reader /A "page=N" file.
std::vector<std::string> reader_at_page(const std::string& file, int page) {
    std::string command;
    int len = -1;
    if (RdUsrReg("acrobat\\shell\\open\\command", "", command, len) != kRegistryOk) return {};
    std::vector<std::string> words = split_command_words(command);
    if (words.empty()) return {};
    return {words.front(), "/A", "page=" + std::to_string(page), file};
}

} // namespace

std::vector<std::string> document_viewer_command(const std::string& target, int page) {
    if (page != 0) {
        if (auto argv = reader_at_page(target, page); !argv.empty()) return argv;
    }
    return {"explorer.exe", target};
}

std::string desktop_text_editor() {
    return "notepad";
}

} // namespace kalveo
