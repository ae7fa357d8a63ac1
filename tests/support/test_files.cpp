#include "support/test_files.h"

#include "platform/env.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace kalveo::testing {

TempDir::TempDir() {
    // A fresh name until one is free: create_directory says whether it made the folder.
    std::random_device seed;
    std::mt19937_64 random(seed());
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path folder = base / ("kalveo-test-" + std::to_string(random() % 1000000007));
        if (std::filesystem::create_directory(folder)) {
            path_ = std::move(folder);
            return;
        }
    }
    throw std::runtime_error("no fresh temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void write_file(const std::filesystem::path& file, std::string_view bytes) {
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string read_file(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

std::string read_text(const std::filesystem::path& file) {
    std::string text = read_file(file);
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lines += text[i];
    return lines;
}

ScopedEnv::ScopedEnv(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
    old_ = get_env(name_);
    set_env(name_, value);
}

ScopedEnv::~ScopedEnv() {
    set_env(name_, old_);
}

ScopedCwd::ScopedCwd(const std::filesystem::path& folder) : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
}

ScopedCwd::~ScopedCwd() {
    std::error_code ec;
    std::filesystem::current_path(old_, ec);
}

std::filesystem::path env_folder(const char* variable) {
    const char* value = std::getenv(variable);
    if (value == nullptr) {
        ADD_FAILURE() << variable << " is not set; run the tests through ctest";
        return {};
    }
    return value;
}

} // namespace kalveo::testing
