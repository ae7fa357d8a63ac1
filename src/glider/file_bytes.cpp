#include "glider/file_bytes.h"

#include "platform/files.h"

#include <cstdio>
#include <memory>

namespace kalveo {

std::optional<std::string> read_file_bytes(const std::filesystem::path& file) {
    // C streams report a folder or a failing disk as a read error instead of
    // throwing from inside the stream buffer.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(open_file(file, "rb"), std::fclose);
    if (!in) return std::nullopt;
    std::string bytes;
    char buffer[8192];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in.get())) > 0) {
        bytes.append(buffer, got);
    }
    if (std::ferror(in.get()) != 0) return std::nullopt;
    return bytes;
}

} // namespace kalveo
