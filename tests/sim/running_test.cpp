// Whether the simulator is in a flight, from its log.
#include "sample_install/sample_files.h"
#include "sim/install.h"
#include "sim/records.h"
#include "sim_fixture.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

using testing::SimTest;

class Running : public SimTest {
  protected:
    void use_version3(SampleLogState state) {
        install({.log_state = state});
        inst_.instpath3 = "C:\\Condor3";
        inst_.condor_version = 3;
    }

    Installation inst_;
};

TEST_F(Running, FollowsTheLogOfTheActiveVersion) {
    use_version3(SampleLogState::started);
    EXPECT_EQ(condor_running(inst_), -1);
    use_version3(SampleLogState::in_flight);
    EXPECT_EQ(condor_running(inst_), 1);
    use_version3(SampleLogState::left);
    EXPECT_EQ(condor_running(inst_), 0);
    use_version3(SampleLogState::shut_down);
    EXPECT_EQ(condor_running(inst_), 0);
}

TEST_F(Running, RereadsTheLogOnEachCall) {
    use_version3(SampleLogState::left);
    EXPECT_EQ(condor_running(inst_), 0);
    const auto log_file = sample_host_path(prefix(), "C:\\Condor3\\Logs\\Logfile.txt");
    testing::write_file(log_file,
                        testing::read_file(log_file) + "ENTERED SIMULATION AT 13:10:00\r\n");
    EXPECT_EQ(condor_running(inst_), 1);
}

TEST_F(Running, UnreadableLogOrUnknownFolderGivesMinus999) {
    use_version3(SampleLogState::in_flight);
    std::filesystem::remove(sample_host_path(prefix(), "C:\\Condor3\\Logs\\Logfile.txt"));
    EXPECT_EQ(condor_running(inst_), -999);
    inst_.instpath3.clear();
    EXPECT_EQ(condor_running(inst_), -999);
    inst_.instpath3 = "C:\\Condor3";
    inst_.condor_version = 0;
    EXPECT_EQ(condor_running(inst_), -999);
}

TEST_F(Running, Version1KeepsItsLogBesideTheProgram) {
    write_sim_file("C:\\Condor\\Logfile.txt",
                   "Condor version: 1250\r\nENTERED SIMULATION AT 9\r\n");
    inst_.instpath1 = "C:\\Condor";
    inst_.condor_version = 1;
    EXPECT_EQ(condor_running(inst_), 1);
}

TEST_F(Running, LongLinesAndStrayBytesDoNotHideMarkers) {
    use_version3(SampleLogState::started);
    std::string log(5000, 'x');
    log += "\r\n";
    log += std::string("\0\xff\x01", 3) + "\r\n";
    log += "ENTERED SIMULATION AT 10:00:00\n"; // LF only
    write_sim_file("C:\\Condor3\\Logs\\Logfile.txt", log);
    EXPECT_EQ(condor_running(inst_), 1);
}

} // namespace
} // namespace kalveo
