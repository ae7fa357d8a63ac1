#include "report/log.h"
#include "report/report_fixture.h"
#include "report/stop.h"
#include "support/matchers.h"

#include <cstdio>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

using ::testing::ExitedWithCode;
using ::testing::HasSubstr;
using testing::kStampPattern;
using testing::MatchesPattern;
using ::testing::Not;
using testing::read_file;
using testing::read_text;
using testing::send_stdout_to;
using testing::ShellTest;

// Death tests fork: the child shares the scratch folder and the log state.
class FatalStop : public ShellTest {
  protected:
    [[nodiscard]] std::string console() const { return read_text(folder() / "console.txt"); }
    void console_to_file() const { send_stdout_to(folder() / "console.txt"); }
};

TEST_F(FatalStop, FatalMessageIsLoggedInFullThenStopsTheProgram) {
    EXPECT_EXIT(
        {
            console_to_file();
            log_message_f("{F}Glider data missing/cannot go on");
            std::fputs("still running\n", stdout);
        },
        ExitedWithCode(1), "");
    EXPECT_THAT(log(), HasSubstr("+ ERROR +-+-"));
    EXPECT_THAT(log(), HasSubstr("\nGlider data missing\ncannot go on\n+-+-"));
    EXPECT_THAT(error_log(),
                MatchesPattern("\n" + std::string(kStampPattern) +
                               "\n\\+ ERROR (\\+-)+\nGlider data missing\ncannot go on\n"));
    EXPECT_THAT(console(), HasSubstr("+ FATAL ERROR +-+-"));
    EXPECT_THAT(console(), HasSubstr("  66   0 cannot go on\n"));
    EXPECT_THAT(console(), Not(HasSubstr("still running")));
}

TEST_F(FatalStop, FatalErrorLogEntryStopsTheProgram) {
    EXPECT_EXIT(
        {
            console_to_file();
            log_error_f("Socket lost", kSeverityFatal);
        },
        ExitedWithCode(1), "");
    EXPECT_THAT(error_log(), HasSubstr("+ ERROR +-+-"));
    EXPECT_THAT(error_log(), HasSubstr("\nSocket lost\n"));
    EXPECT_THAT(console(), HasSubstr("+ FATAL ERROR +-+-"));
}

TEST_F(FatalStop, CleanUpStepsRunOnceLastRegisteredFirst) {
    const auto steps = folder() / "steps.txt";
    EXPECT_EXIT(
        {
            console_to_file();
            std::FILE* record = std::fopen(steps.string().c_str(), "w");
            at_stop([record] { std::fputs("socket ", record); });
            at_stop([record] { std::fputs("windows ", record); });
            at_stop([] { stop_program("stopped again inside a step", 9); });
            stop_program("Simulator stopped", 3);
        },
        ExitedWithCode(9), "");
    // The step that stops again ends the process without running the others.
    EXPECT_EQ(read_file(steps), "");
    EXPECT_THAT(log(), HasSubstr("Simulator stopped\n"));

    EXPECT_EXIT(
        {
            console_to_file();
            std::FILE* record = std::fopen(steps.string().c_str(), "w");
            at_stop([record] { std::fputs("socket ", record); });
            at_stop([record] { std::fputs("windows ", record); });
            stop_program({}, 4);
        },
        ExitedWithCode(4), "");
    EXPECT_EQ(read_file(steps), "windows socket ");
}

TEST_F(FatalStop, UnwritableErrorLogIsFatalAndDoesNotLoop) {
    set_error_log_folder((folder() / "missing").string() + "/");
    EXPECT_EXIT(
        {
            console_to_file();
            log_message_f("{W}Low battery");
        },
        ExitedWithCode(1), "");
    EXPECT_THAT(console(), HasSubstr("missing/ErrorLog.txt : Error opening)"));
    // The whole path on one line, though it holds "/".
    EXPECT_THAT(log(), HasSubstr("\n" + folder().string() +
                                 "/missing/ErrorLog.txt : Error opening)\n+-+-"));
}

} // namespace
} // namespace kalveo
