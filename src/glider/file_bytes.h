// glider/file_bytes: whole-file reads of the outside files this subsystem
// takes in (plane files, glider data, the server's answers).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kalveo {

/// Every byte of the file, or nothing when it cannot be opened or read (a
/// folder, no rights, a read error). Never throws.
[[nodiscard]] std::optional<std::string> read_file_bytes(const std::filesystem::path& file);

} // namespace kalveo
