#include "sim_fixture.h"

#include "config/records.h"
#include "flight/records.h"
#include "report/log.h"

#include <cstdio>

namespace kalveo::testing {

void SimTest::SetUp() {
    std::filesystem::create_directories(dir_ / "Logs");
    cwd_ = std::make_unique<ScopedCwd>(dir_.path());
    dialogs_ =
        std::make_unique<ScopedEnv>("KALVEO_DIALOGS", "script:" + (dir_ / "answers.txt").string());
    wineprefix_ = std::make_unique<ScopedEnv>("WINEPREFIX", prefix().string());
    user_ = std::make_unique<ScopedEnv>("USER", "pilot");
    profile_ = std::make_unique<ScopedEnv>("USERPROFILE", std::nullopt);
    set_error_log_folder(dir_.path().string() + "/");
    ::testing::internal::CaptureStdout();
    log_message_f("CREATE Logs\\Logfile.txt");
    (void)::testing::internal::GetCapturedStdout();
}

void SimTest::TearDown() {
    profile_.reset();
    user_.reset();
    wineprefix_.reset();
    dialogs_.reset();
    cwd_.reset();
    set_error_log_folder({});
}

SampleInstall SimTest::install(const SampleInstallOptions& options) {
    auto result = build_sample_installation(prefix(), options);
    EXPECT_TRUE(result.ok) << result.error;
    return result;
}

void SimTest::answers(std::string_view lines) const {
    write_file(dir_ / "answers.txt", lines);
}

void SimTest::write_sim_file(const std::string& windows_name, std::string_view bytes) const {
    write_file(sample_host_path(prefix(), windows_name), bytes);
}

void stdout_to_file(const std::filesystem::path& file) {
    std::fflush(stdout);
    if (std::freopen(file.string().c_str(), "a", stdout) == nullptr) std::abort();
}

} // namespace kalveo::testing
