// Which version the pilot uses now, from the dates of plans and logs.
#include "sim/active_version.h"
#include "sim/install.h"
#include "sim/records.h"
#include "sim_fixture.h"

#include <chrono>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

using testing::SimTest;

TEST(ChooseActiveVersion, TheFileWrittenLastWins) {
    EXPECT_EQ(choose_active_version({.plan2 = 100, .plan3 = 50, .log2 = 10, .log3 = 20}), 2);
    EXPECT_EQ(choose_active_version({.plan2 = 50, .plan3 = 100, .log2 = 10, .log3 = 20}), 3);
    EXPECT_EQ(choose_active_version({.plan2 = 50, .plan3 = 60, .log2 = 200, .log3 = 20}), 2);
    EXPECT_EQ(choose_active_version({.plan2 = 50, .plan3 = 40, .log2 = 20, .log3 = 200}), 3);
    EXPECT_EQ(choose_active_version({.plan2 = 50, .plan3 = 60, .log2 = 20, .log3 = 200}), 3);
    EXPECT_EQ(choose_active_version({.plan2 = 50, .plan3 = 60, .log2 = 300, .log3 = 200}), 2);
}

TEST(ChooseActiveVersion, TiesAndMissingFiles) {
    // Version 3 wins ties between the plans and between the logs.
    EXPECT_EQ(choose_active_version({.plan2 = 100, .plan3 = 100, .log2 = 10, .log3 = 10}), 3);
    EXPECT_EQ(choose_active_version({.plan2 = 10, .plan3 = 10, .log2 = 100, .log3 = 100}), 3);
    // A flight plan beats a log of the same time.
    EXPECT_EQ(choose_active_version({.plan2 = 100, .plan3 = 10, .log2 = 10, .log3 = 100}), 2);
    EXPECT_EQ(choose_active_version({.plan2 = 10, .plan3 = 100, .log2 = 100, .log3 = 10}), 3);
    // Nothing at all: version 2; only a version 3 log: version 3.
    EXPECT_EQ(choose_active_version({}), 2);
    EXPECT_EQ(choose_active_version({.log3 = 100}), 3);
    // Without a version 3 plan, a version 2 plan older than the logs loses to log 3 only.
    EXPECT_EQ(choose_active_version({.plan2 = 100, .log2 = 10, .log3 = 50}), 2);
    EXPECT_EQ(choose_active_version({.plan2 = 10, .log2 = 5, .log3 = 50}), 3);
}

class ActiveVersion : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        where_ = install({.condor2 = true});
        ::testing::internal::CaptureStdout();
        inst_ = check_condor_install("");
    }
    void TearDown() override {
        (void)::testing::internal::GetCapturedStdout();
        SimTest::TearDown();
    }

    // Dates the four files: seconds before now, or missing when negative.
    void date(int plan2, int plan3, int log2, int log3) const {
        set_age(where_.condor2.pilot / "Flightplan.fpl", plan2);
        set_age(where_.condor3.pilot / "Flightplan.fpl", plan3);
        set_age(where_.condor2.install / "Logs" / "Logfile.txt", log2);
        set_age(where_.condor3.install / "Logs" / "Logfile.txt", log3);
    }

    static void set_age(const std::filesystem::path& file, int seconds) {
        if (seconds < 0) {
            std::filesystem::remove(file);
            return;
        }
        std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() -
                                                   std::chrono::seconds(seconds));
    }

    SampleInstall where_;
    Installation inst_;
};

TEST_F(ActiveVersion, NewestFlightPlanChoosesTheVersionAndItsFolders) {
    date(100, 10, 1000, 1000);
    get_active_condor_version(inst_);
    EXPECT_EQ(inst_.condor_version, 3);
    EXPECT_EQ(inst_.cndrinstpath, "C:\\Condor3");

    date(10, 100, 1000, 1000);
    get_active_condor_version(inst_);
    EXPECT_EQ(inst_.condor_version, 2);
    EXPECT_EQ(inst_.cndrinstpath, "C:\\Condor2");
    EXPECT_EQ(inst_.cndrrootpath, "C:\\users\\pilot\\Documents\\Condor");
    EXPECT_EQ(inst_.pilot_path(), "C:\\users\\pilot\\Documents\\Condor\\Pilots\\Sample Pilot");
}

TEST_F(ActiveVersion, LogWrittenAfterThePlansWins) {
    date(100, 200, 1000, 5);
    get_active_condor_version(inst_);
    EXPECT_EQ(inst_.condor_version, 3);
    date(200, 100, 5, 1000);
    get_active_condor_version(inst_);
    EXPECT_EQ(inst_.condor_version, 2);
}

TEST_F(ActiveVersion, NoPlanOrLogAnywhereTakesVersion2) {
    EXPECT_EQ(inst_.condor_version, 3); // as check_condor_install left it
    date(-1, -1, -1, -1);
    get_active_condor_version(inst_);
    EXPECT_EQ(inst_.condor_version, 2);
}

TEST_F(ActiveVersion, RunsTheDiscoveryWhenNothingWasFoundYet) {
    inst_ = {};
    date(-1, 10, 100, 100);
    get_active_condor_version(inst_);
    EXPECT_TRUE(inst_.qc2);
    EXPECT_TRUE(inst_.qc3);
    EXPECT_EQ(inst_.condor_version, 3);
}

TEST_F(ActiveVersion, OneVersionPresentIsAlwaysActive) {
    inst_.qc3 = false;
    date(100, 10, 100, 10);
    get_active_condor_version(inst_);
    EXPECT_EQ(inst_.condor_version, 2);
}

} // namespace
} // namespace kalveo
