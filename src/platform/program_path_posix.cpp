#include "platform/program_path.h"

#include <system_error>

namespace kalveo {

std::filesystem::path program_file() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return exe;
}

std::string get_inst_path() {
    const auto exe = program_file();
    if (exe.empty() || !exe.has_parent_path()) return "./";
    std::string folder = exe.parent_path().string();
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

bool enter_program_folder() {
    const auto exe = program_file();
    if (exe.empty()) return false;
    std::error_code ec;
    std::filesystem::current_path(exe.parent_path(), ec);
    return !ec;
}

} // namespace kalveo
