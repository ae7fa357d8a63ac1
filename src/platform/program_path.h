// platform/program_path: where the running program lives.
#pragma once

#include <filesystem>
#include <string>

namespace kalveo {

/// Full path of the running program's file.
[[nodiscard]] std::filesystem::path program_file();

/// The program's folder with a trailing separator; on Windows the drive letter
/// is written in capitals. "." plus separator when it cannot be found.
[[nodiscard]] std::string get_inst_path();

/// Makes the program's folder the working folder, as a Windows shortcut's
/// "Start in" does, so that relative names such as "Settings\Kalveo.ini" work.
bool enter_program_folder();

} // namespace kalveo
