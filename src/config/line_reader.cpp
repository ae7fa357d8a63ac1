#include "config/line_reader.h"
#include "platform/files.h"

#include "platform/disk_sync.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

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

FileBytes read_whole_file(const std::filesystem::path& file) {
    FileBytes result;
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        result.error = system_error_number();
        return result;
    }
    result.opened = true;
    result.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    result.complete = !in.bad();
    if (!result.complete) result.error = system_error_number();
    return result;
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
    // The new bytes reach the disk before the name does: a power cut after the rename then
    // finds the new file whole, not an empty one.
    int sync_error = replace_fault(ReplaceStep::sync);
    if (sync_error == 0) sync_error = sync_file_to_disk(temporary);
    std::error_code ec;
    if (sync_error != 0)
        ec.assign(sync_error, std::generic_category());
    else if (const int error = replace_fault(ReplaceStep::rename))
        ec.assign(error, std::generic_category());
    else
        ec = rename_replacing(temporary, file);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return ec.message();
    }
    // The file is replaced whatever the folder's sync says.
    sync_folder_to_disk(file.parent_path());
    return {};
}

void for_each_line_with_end(std::string_view text,
                            const std::function<void(std::string_view, std::string_view)>& take) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t newline = text.find('\n', start);
        if (newline == std::string_view::npos) {
            take(text.substr(start), {});
            return;
        }
        std::size_t end = newline;
        if (end > start && text[end - 1] == '\r') --end;
        take(text.substr(start, end - start), text.substr(end, newline + 1 - end));
        start = newline + 1;
    }
}

void for_each_line(std::string_view text, const std::function<void(std::string_view)>& take) {
    for_each_line_with_end(text, [&take](std::string_view line, std::string_view) { take(line); });
}

} // namespace kalveo
