#include "report/report_fixture.h"
#include "shell/console.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace kalveo {
namespace {

using ::testing::ExitedWithCode;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::read_file;
using testing::send_stdout_to;
using testing::ShellTest;
using testing::write_file;

// Redirection runs in forked children (death-test style) so that this
// process's own standard output and error stay as they are.
class Redirection : public ShellTest {
  protected:
    [[nodiscard]] std::string file(const char* name) const { return read_file(folder() / name); }
    [[nodiscard]] std::string prefix() const { return folder().string() + "/"; }
};

TEST_F(Redirection, KeepsOneBackupGeneration) {
    write_file(folder() / "StdOut.log", "previous run\n");
    write_file(folder() / "StdOut.log.bak", "run before that\n");
    write_file(folder() / "StdErr.log", "previous errors\n");
    EXPECT_EXIT(
        {
            begin_redirect_in(folder().string());
            std::printf("new output\n");
            std::fprintf(stderr, "new error\n");
            std::fflush(nullptr);
            std::_Exit(0);
        },
        ExitedWithCode(0), "");
    EXPECT_EQ(file("StdOut.log.bak"), "previous run\n");
    EXPECT_EQ(file("StdErr.log.bak"), "previous errors\n");
    EXPECT_THAT(file("StdOut.log"), HasSubstr("new output\n"));
    EXPECT_THAT(file("StdOut.log"), Not(HasSubstr("previous")));
    EXPECT_EQ(file("StdErr.log"), "new error\n");
    EXPECT_THAT(log(), HasSubstr("Standard output redirected to " + prefix() + "StdOut.log\n"));
    EXPECT_THAT(log(), HasSubstr("Standard error  redirected to " + prefix() + "StdErr.log\n"));
}

TEST_F(Redirection, FirstRunMakesNoBackup) {
    EXPECT_EXIT(
        {
            begin_redirect_in(folder().string() + "/");
            std::_Exit(0);
        },
        ExitedWithCode(0), "");
    EXPECT_TRUE(std::filesystem::exists(folder() / "StdOut.log"));
    EXPECT_TRUE(std::filesystem::exists(folder() / "StdErr.log"));
    EXPECT_FALSE(std::filesystem::exists(folder() / "StdOut.log.bak"));
    EXPECT_FALSE(std::filesystem::exists(folder() / "StdErr.log.bak"));
}

TEST_F(Redirection, BackupThatCannotBeReplacedIsLoggedAndTheFileOverwritten) {
    write_file(folder() / "StdOut.log", "a long line from the previous run\n");
    write_file(folder() / "StdOut.log.bak" / "blocker", "a folder cannot be deleted whole");
    EXPECT_EXIT(
        {
            begin_redirect_in(folder().string());
            std::printf("short\n");
            std::fflush(nullptr);
            std::_Exit(0);
        },
        ExitedWithCode(0), "");
    const std::string name = prefix() + "StdOut.log";
    EXPECT_THAT(log(), HasSubstr(name + ".bak: Error deleting - " + name + " will be overwritten"));
    EXPECT_THAT(file("StdOut.log"), Not(HasSubstr("previous run")));
    EXPECT_THAT(file("StdOut.log"), HasSubstr("short\n"));
}

TEST_F(Redirection, UnopenableFilesFailWithoutTouchingTheStreams) {
    const std::string missing = (folder() / "no" / "such").string();
    const std::string good = (folder() / "out.log").string();
    EXPECT_EXIT(std::_Exit(start_redirect((missing + "/StdOut.log").c_str(), good.c_str())),
                ExitedWithCode(kRedirectFailed), "start_redirect : opening StdOut.log");
    EXPECT_EXIT(std::_Exit(start_redirect(good.c_str(), (missing + "/StdErr.log").c_str())),
                ExitedWithCode(kRedirectFailed), "start_redirect : opening StdErr.log");
}

TEST_F(Redirection, FailureShowsAnErrorBoxAndStops) {
    const auto folder_name = (folder() / "missing").string();
    EXPECT_EXIT(
        {
            send_stdout_to(folder() / "console.txt");
            begin_redirect_in(folder_name);
        },
        ExitedWithCode(1), "");
    const std::string console = file("console.txt");
    EXPECT_THAT(console, HasSubstr("[dialog] messageBox ok error title=\"Kalveo\" "
                                   "text=\"Error redirecting\""));
    EXPECT_THAT(error_log(), HasSubstr("\nError redirecting\n"));
    EXPECT_THAT(log(), Not(HasSubstr("redirected to")));
}

} // namespace
} // namespace kalveo
