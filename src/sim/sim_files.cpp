#include "sim/sim_files.h"

#include "platform/paths.h"

#include <cctype>
#include <chrono>
#include <fstream>
#include <sstream>
#include <system_error>

namespace kalveo {
namespace {

bool same_without_case(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The entry of `folder` named `part` without regard to case, or `part` itself.
std::filesystem::path match_entry(const std::filesystem::path& folder,
                                  const std::filesystem::path& part) {
    std::error_code ec;
    const auto exact = folder / part;
    if (std::filesystem::exists(exact, ec)) return exact;
    const std::string wanted = part.string();
    for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, ec), end;
         !ec && it != end; it.increment(ec)) {
        const auto name = it->path().filename();
        if (same_without_case(name.string(), wanted)) return folder / name;
    }
    return exact;
}

} // namespace

std::filesystem::path simulator_file(std::string_view name) {
    const auto path = native_path(name);
    std::error_code ec;
    if (path.empty() || std::filesystem::exists(path, ec)) return path;
    std::filesystem::path resolved;
    for (const auto& part : path) {
        if (resolved.empty() && (part == path.root_path() || part == path.root_name() ||
                                 part == path.root_directory())) {
            resolved /= part;
            continue;
        }
        if (part == "." || part == "..") {
            resolved /= part;
            continue;
        }
        resolved = match_entry(resolved, part);
    }
    return resolved;
}

bool simulator_file_exists(std::string_view name) {
    std::error_code ec;
    return !name.empty() && std::filesystem::exists(simulator_file(name), ec);
}

std::int64_t simulator_file_time(std::string_view name) {
    if (name.empty()) return -1;
    std::error_code ec;
    const auto stamp = std::filesystem::last_write_time(simulator_file(name), ec);
    if (ec) return -1;
    const auto since_epoch = std::chrono::file_clock::to_sys(stamp).time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(since_epoch).count();
}

std::vector<std::string> split_text_lines(std::string_view text, std::size_t max_len,
                                          std::size_t max_lines) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size() && lines.size() < max_lines) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line.substr(0, max_len));
        start = end + 1;
    }
    return lines;
}

TextLines read_text_lines(const std::filesystem::path& file, std::size_t max_len,
                          std::size_t max_lines) {
    TextLines result;
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) return result;
    std::ifstream in(file, std::ios::binary);
    if (!in) return result;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return result;
    result.ok = true;
    result.lines = split_text_lines(text.str(), max_len, max_lines);
    return result;
}

} // namespace kalveo
