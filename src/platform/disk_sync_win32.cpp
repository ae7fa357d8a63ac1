#include "platform/disk_sync.h"

#include <cerrno>
#include <windows.h>

namespace kalveo {

int sync_file_to_disk(const std::filesystem::path& file) {
    const HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_ACCESS_DENIED ? EACCES : ENOENT;
    }
    const bool flushed = FlushFileBuffers(handle) != 0;
    CloseHandle(handle);
    return flushed ? 0 : EIO;
}

// NTFS journals its names: a rename needs no flush of the folder, only the folder itself.
int sync_folder_to_disk(const std::filesystem::path& folder) {
    std::error_code ec;
    return std::filesystem::is_directory(folder, ec) ? 0 : ENOENT;
}

} // namespace kalveo
