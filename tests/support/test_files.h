// Test helpers: scratch folders, whole-file reads and writes, scoped
// environment variables and working folders.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kalveo::testing {

/// A fresh empty folder, removed with everything in it when the object dies.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    [[nodiscard]] std::filesystem::path operator/(std::string_view name) const {
        return path_ / std::filesystem::path(name);
    }

private:
    std::filesystem::path path_;
};

/// Writes the bytes as they are, creating parent folders.
void write_file(const std::filesystem::path& file, std::string_view bytes);

/// The whole file, or an empty string when it cannot be read.
[[nodiscard]] std::string read_file(const std::filesystem::path& file);

/// A text file the program wrote (a log, the console copy) as its lines read: text files
/// written on Windows end their lines in CR LF, and the tests compare with LF.
[[nodiscard]] std::string read_text(const std::filesystem::path& file);

/// Sets (or with nullopt unsets) an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(std::string name, std::optional<std::string> value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

/// Makes a folder the working folder for one scope.
class ScopedCwd {
public:
    explicit ScopedCwd(const std::filesystem::path& folder);
    ~ScopedCwd();
    ScopedCwd(const ScopedCwd&) = delete;
    ScopedCwd& operator=(const ScopedCwd&) = delete;

private:
    std::filesystem::path old_;
};

/// A folder named by an environment variable that CTest sets (test fixtures,
/// shipped data, the built program folder); fails the test when unset.
[[nodiscard]] std::filesystem::path env_folder(const char* variable);

} // namespace kalveo::testing
