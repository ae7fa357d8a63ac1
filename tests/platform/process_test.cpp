#include "platform/process.h"
#include "platform/program_path.h"
#include "support/test_files.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <thread>

namespace kalveo {
namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandWords, SplitsLikeAShellWithoutExpanding) {
    EXPECT_EQ(split_command_words("notepad"), Words{"notepad"});
    EXPECT_EQ(split_command_words("  gedit   --new-window  "), (Words{"gedit", "--new-window"}));
    EXPECT_EQ(split_command_words("\"C:\\Program Files\\Notepad++\\notepad++.exe\" -multiInst"),
              (Words{"C:\\Program Files\\Notepad++\\notepad++.exe", "-multiInst"}));
    EXPECT_EQ(split_command_words("vim '-c set ff=dos'"), (Words{"vim", "-c set ff=dos"}));
    EXPECT_EQ(split_command_words("a\\ b c"), (Words{"a b", "c"}));
    EXPECT_EQ(split_command_words("echo \"$HOME\" `x`"), (Words{"echo", "$HOME", "`x`"}));
    EXPECT_EQ(split_command_words("''"), Words{""});
    EXPECT_TRUE(split_command_words("   ").empty());
}

// The test child beside this test program (the system adds ".exe" where it wants one).
std::string child() {
    return (program_file().parent_path() / "kalveo_test_child").string();
}

TEST(RunProgram, ReturnsTheExitStatusAndPassesArgumentsWhole) {
    testing::TempDir dir;
    const auto out = dir / "out file.txt";
    // Blanks, shell and quoting characters, backslashes before a quote and at the end, and
    // an empty argument each arrive as one argument, unchanged.
    const Words awkward{"a b",    "c;d", "$(x)", "say \"hi\"", "C:\\Program Files\\",
                        "x\\\"y", "",    "100%", "tab\there"};
    Words argv{child(), "write", out.string()};
    argv.insert(argv.end(), awkward.begin(), awkward.end());
    EXPECT_EQ(run_program(argv), 0);
    std::string expected;
    for (const std::string& word : awkward)
        expected += word + "|";
    EXPECT_EQ(testing::read_file(out), expected);
    EXPECT_EQ(run_program({child(), "exit", "3"}), 3);
}

TEST(RunProgram, ReportsProgramsThatCannotStart) {
    const int status = run_program({"/nonexistent/kalveo-no-such-program"});
    EXPECT_TRUE(status == kNotStarted || status == 127) << status;
    EXPECT_EQ(run_program({}), kNotStarted);
}

TEST(RunProgramCapture, CollectsStandardOutputUpToItsLimit) {
    std::string output;
    EXPECT_EQ(run_program_capture({child(), "say", "line one|line two", "5"}, output), 5);
    EXPECT_EQ(output, "line one|line two");
    // A program writing more than a pipe holds is read to its end, not blocked.
    EXPECT_EQ(run_program_capture({child(), "flood", "200000"}, output, 1000), 0);
    EXPECT_EQ(output.size(), 1000u);
    EXPECT_EQ(run_program_capture({}, output), kNotStarted);
}

TEST(StartProgram, TheCallerGoesOnWhileTheProgramRunsAndLearnsItsEnd) {
    const auto begin = std::chrono::steady_clock::now();
    ChildProgram sleeper = start_program({child(), "sleep", "500", "4"});
    ASSERT_TRUE(sleeper.started());
    std::optional<int> status = sleeper.poll();
    EXPECT_FALSE(status.has_value()) << "ended at once";
    while (!status && std::chrono::steady_clock::now() - begin < std::chrono::seconds(20)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        status = sleeper.poll();
    }
    EXPECT_GE(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(450));
    EXPECT_EQ(status, 4);
    EXPECT_EQ(start_program({}).poll(), kNotStarted);
}

} // namespace
} // namespace kalveo

namespace kalveo {
namespace {

// Children of this process that have ended but were never reaped.
int zombie_children() {
    int zombies = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream children(task.path() / "children");
        int pid = 0;
        while (children >> pid) {
            std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
            std::string line;
            std::getline(stat, line);
            const auto close = line.rfind(')');
            if (close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z')
                ++zombies;
        }
    }
    return zombies;
}

TEST(LaunchProgram, EndedLaunchesDoNotLingerAsZombies) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(launch_program({"true"}));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    // The last one may still be waiting for the next launch to reap it.
    EXPECT_LE(zombie_children(), 1);
    EXPECT_FALSE(launch_program({"/nonexistent/kalveo-no-such-viewer"}));
}

} // namespace
} // namespace kalveo
