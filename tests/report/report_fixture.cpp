#include "report/report_fixture.h"

#include "report/log.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace kalveo::testing {

StdoutCapture::StdoutCapture() {
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    send_stdout_to(dir_ / "stdout.txt");
}

StdoutCapture::~StdoutCapture() {
    finish();
}

std::string StdoutCapture::finish() {
    if (saved_ < 0) return {};
    std::fflush(stdout);
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
    saved_ = -1;
    return read_text(dir_ / "stdout.txt");
}

void send_stdout_to(const std::filesystem::path& file) {
    std::fflush(stdout);
    const int fd = open(file.string().c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    ASSERT_GE(fd, 0) << file;
    dup2(fd, STDOUT_FILENO);
    close(fd);
}

void ShellTest::SetUp() {
    std::filesystem::create_directories(dir_ / "Logs");
    cwd_ = std::make_unique<ScopedCwd>(dir_.path());
    dialogs_ =
        std::make_unique<ScopedEnv>("KALVEO_DIALOGS", "script:" + (dir_ / "answers.txt").string());
    set_error_log_folder(dir_.path().string() + "/");
    StdoutCapture quiet;
    log_message_f("CREATE Logs\\Logfile.txt");
}

void ShellTest::TearDown() {
    dialogs_.reset();
    cwd_.reset();
    set_error_log_folder({});
}

void ShellTest::answers(std::string_view lines) const {
    write_file(dir_ / "answers.txt", lines);
}

} // namespace kalveo::testing
