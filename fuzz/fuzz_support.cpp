#include "fuzz_support.h"

#include "config/records.h"
#include "flight/records.h"
#include "report/log_channel.h"
#include "report/stop.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace kalveo::fuzz {

namespace {

// libFuzzer keeps relative corpus paths, so the working folder stays where it is.
std::filesystem::path& scratch_folder() {
    static std::filesystem::path folder;
    return folder;
}

} // namespace

void quiet_start() {
    static bool started = false;
    if (started) return;
    started = true;
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("kalveo-fuzz-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    scratch_folder() = folder;
    detail::set_log_file_name("/dev/null");
    // A reader that stops the program ends the process without a word to libFuzzer; an
    // abort makes it a finding, with its input kept and its stack shown.
    at_stop([] { std::abort(); });
    if (!std::freopen("/dev/null", "w", stdout)) std::abort();
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::string scratch_path() {
    return scratch_folder().string();
}

std::string scratch_file(std::string_view name, std::string_view bytes) {
    const auto path = scratch_folder() / std::string(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

} // namespace kalveo::fuzz
