#include "platform/program_path.h"

#include <cctype>
#include <windows.h>

namespace kalveo {

std::filesystem::path program_file() {
    char buffer[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    return std::filesystem::path(std::string(buffer, n));
}

std::string get_inst_path() {
    const std::string exe = program_file().string();
    const auto slash = exe.find_last_of('\\');
    if (slash == std::string::npos) return ".\\";
    std::string folder = exe.substr(0, slash + 1);
    if (folder.size() >= 2 && folder[1] == ':')
        folder[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(folder[0])));
    return folder;
}

bool enter_program_folder() {
    const auto exe = program_file();
    if (exe.empty()) return false;
    return SetCurrentDirectoryA(exe.parent_path().string().c_str()) != 0;
}

} // namespace kalveo
