#include "platform/program_path.h"

#include <fstream>
#include <string>
#include <system_error>

namespace kalveo {

namespace {

namespace fs = std::filesystem;

// The name the program was started by (its first argument), as the kernel keeps it.
std::string started_as() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string name;
    constexpr std::size_t kLongest = 4096;
    for (char c = 0; name.size() < kLongest && in.get(c) && c != '\0';)
        name += c;
    return name;
}

fs::path find_program_file() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    // The kernel names the file behind any link. A pilot's own program folder links the
    // installed program into itself, and the settings beside the link are the ones to use,
    // so a start through a path that leads to this very file keeps that path.
    const std::string name = started_as();
    if (name.find('/') == std::string::npos) return exe;
    const fs::path started = fs::absolute(name, ec).lexically_normal();
    if (ec || !fs::equivalent(started, exe, ec) || ec) return exe;
    return started;
}

} // namespace

std::filesystem::path program_file() {
    // Found once, before the program changes its working folder.
    static const fs::path file = find_program_file();
    return file;
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
