// Program file names and simulator file names.
#include "platform/program_path.h"
#include "sim/install.h"
#include "sim/sim_files.h"
#include "sim_fixture.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

using testing::SimTest;

TEST_F(SimTest, LocateFileCompletesProgramFileNames) {
    const std::string program_folder = get_inst_path();
    std::string name = "%INST%\\Sounds\\VNE_0.wav";
    locate_file(name, true);
    EXPECT_EQ(name, program_folder + "Sounds\\VNE_0.wav");

    name = "Settings\\Kalveo.ini";
    locate_file(name, true);
    EXPECT_EQ(name, "Settings\\Kalveo.ini");

    testing::write_file(folder() / "here.txt", "x");
    name = "here.txt";
    locate_file(name, true);
    EXPECT_EQ(name, "here.txt");
    locate_file(name, false);
    EXPECT_EQ(name, program_folder + "here.txt");

    name = "missing.txt";
    locate_file(name, true);
    EXPECT_EQ(name, program_folder + "missing.txt");
}

TEST_F(SimTest, SimulatorFilesAreFoundWhateverTheCase) {
    write_sim_file("C:\\Condor3\\Logs\\Logfile.txt", "log");
    EXPECT_EQ(testing::read_file(simulator_file("c:\\CONDOR3\\logs\\LOGFILE.TXT")), "log");
    EXPECT_TRUE(simulator_file_exists("C:\\condor3\\Logs"));
    EXPECT_FALSE(simulator_file_exists("C:\\Condor3\\Logs\\Other.txt"));
    EXPECT_FALSE(simulator_file_exists(""));
    EXPECT_EQ(simulator_file_time("C:\\Condor3\\Missing.txt"), -1);
    EXPECT_GT(simulator_file_time("C:\\CONDOR3\\LOGS\\logfile.txt"), 0);
}

TEST(SplitTextLines, CutsLinesAndTakesBothLineEnds) {
    const auto lines = split_text_lines("abcdef\r\nxy\n\r\nlast", 4);
    ASSERT_EQ(lines.size(), 4U);
    EXPECT_EQ(lines[0], "abcd");
    EXPECT_EQ(lines[1], "xy");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "last");
    EXPECT_EQ(split_text_lines("a\nb\nc\n", 10, 2).size(), 2U);
    EXPECT_TRUE(split_text_lines("", 10).empty());
}

} // namespace
} // namespace kalveo
