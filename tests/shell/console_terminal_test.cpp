// The console's visibility on POSIX: whether it is shared is read from the terminal session
// (a pseudo-terminal, a session of its own), which only POSIX systems have.
#include "report/report_fixture.h"
#include "shell/console.h"

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
using testing::send_stdout_to;
using testing::ShellTest;

// Whether the console is shared is read from the terminal session, so each
// case runs in a child that sets its terminal up.
class Console : public ShellTest {};

TEST_F(Console, SharedTerminalStaysVisible) {
    EXPECT_EXIT(
        {
            const int master = posix_openpt(O_RDWR | O_NOCTTY);
            if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) std::_Exit(2);
            const int terminal = open(ptsname(master), O_RDWR | O_NOCTTY);
            if (terminal < 0) std::_Exit(3);
            dup2(terminal, STDIN_FILENO);
            send_stdout_to(folder() / "console.txt");
            HideConsole();
            std::_Exit(0);
        },
        ExitedWithCode(0), "");
    EXPECT_THAT(log(), HasSubstr("HideConsole Enter Error: "));
    EXPECT_THAT(log(), HasSubstr("HideConsole: nb proc 2\n"));
    EXPECT_THAT(log(), HasSubstr("I'm not the last one!\n"));
}

TEST_F(Console, ProgramAloneOnItsSessionHidesTheConsole) {
    EXPECT_EXIT(
        {
            if (setsid() < 0) std::_Exit(2);
            send_stdout_to(folder() / "console.txt");
            HideConsole();
            std::_Exit(0);
        },
        ExitedWithCode(0), "");
    EXPECT_THAT(log(), HasSubstr("HideConsole: nb proc 1\n"));
    EXPECT_THAT(log(), HasSubstr("GetConsoleWindow Error: "));
    EXPECT_THAT(log(), Not(HasSubstr("I'm not the last one!")));
}

} // namespace
} // namespace kalveo
