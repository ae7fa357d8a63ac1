#include "platform/paths.h"
#include "platform/program_path.h"
#include "sim/install.h"

#include <filesystem>

namespace kalveo {

void locate_file(std::string& fff, bool qcur) {
    constexpr std::string_view kInst = "%INST%\\";
    if (fff.starts_with(kInst)) {
        fff = get_inst_path() + fff.substr(kInst.size());
        return;
    }
    // Native names on Linux separate folders with "/".
    if (fff.find_first_of("\\/") != std::string::npos) return;
    std::error_code ec;
    if (qcur && std::filesystem::exists(native_path(fff), ec)) return;
    fff = get_inst_path() + fff;
}

} // namespace kalveo
