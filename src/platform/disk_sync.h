// platform/disk_sync: pushing written bytes to the disk before a file is renamed into place.
#pragma once

#include <filesystem>

namespace kalveo {

/// Waits until the bytes written to `file` are on the disk, so that renaming it over an
/// older file cannot leave an empty one after a power cut. Returns 0, or the system's error
/// number (the file could not be opened, or the disk failed).
[[nodiscard]] int sync_file_to_disk(const std::filesystem::path& file);

/// Makes the names in `folder` (a rename just done) durable where the system asks for it.
/// Returns 0, or the system's error number.
int sync_folder_to_disk(const std::filesystem::path& folder);

} // namespace kalveo
