#include "platform/disk_sync.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kalveo {

namespace {

int sync_path(const std::filesystem::path& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return errno != 0 ? errno : EIO;
    int result = 0;
    while (::fsync(fd) != 0) {
        if (errno == EINTR) continue;
        // Some file systems cannot sync a folder; the file itself was synced already.
        result = (errno == EINVAL && (flags & O_DIRECTORY)) ? 0 : errno;
        break;
    }
    ::close(fd);
    return result;
}

} // namespace

int sync_file_to_disk(const std::filesystem::path& file) {
    return sync_path(file, O_RDONLY);
}

int sync_folder_to_disk(const std::filesystem::path& folder) {
    return sync_path(folder.empty() ? std::filesystem::path(".") : folder, O_RDONLY | O_DIRECTORY);
}

} // namespace kalveo
