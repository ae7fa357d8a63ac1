#include "platform/file_replace.h"

#include "platform/disk_sync.h"
#include "platform/files.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace kalveo {

namespace {

int system_error_number() {
    return errno != 0 ? errno : EIO;
}

std::function<int(ReplaceStep)>& fault_seam() {
    static std::function<int(ReplaceStep)> seam;
    return seam;
}

} // namespace

void set_replace_fault(std::function<int(ReplaceStep)> fault) {
    fault_seam() = std::move(fault);
}

int replace_fault(ReplaceStep step) {
    return fault_seam() ? fault_seam()(step) : 0;
}

std::error_code move_into_place(const std::filesystem::path& temporary,
                                const std::filesystem::path& file) {
    // The new bytes reach the disk before the name does: a power cut after the rename then
    // finds the new file whole, not an empty one.
    int error = replace_fault(ReplaceStep::sync);
    if (error == 0) error = sync_file_to_disk(temporary);
    if (error == 0) error = replace_fault(ReplaceStep::rename);
    std::error_code ec;
    if (error != 0)
        ec.assign(error, std::generic_category());
    else
        ec = rename_replacing(temporary, file);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return ec;
    }
    // The file is replaced whatever the folder's sync says.
    sync_folder_to_disk(file.parent_path());
    return {};
}

std::string replace_file(const std::filesystem::path& file, std::string_view bytes) {
    auto temporary = file;
    temporary += ".tmp";
    if (const int error = replace_fault(ReplaceStep::open)) return std::strerror(error);
    errno = 0;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return std::strerror(system_error_number());
    const int write_fault = replace_fault(ReplaceStep::write);
    const std::size_t written = write_fault ? bytes.size() / 2 : bytes.size();
    out.write(bytes.data(), static_cast<std::streamsize>(written));
    const int close_fault = write_fault ? write_fault : replace_fault(ReplaceStep::close);
    out.close();
    if (out.fail() || close_fault) {
        const int error = close_fault ? close_fault : system_error_number();
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return std::strerror(error);
    }
    const std::error_code ec = move_into_place(temporary, file);
    return ec ? ec.message() : std::string();
}

} // namespace kalveo
