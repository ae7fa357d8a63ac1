// Waiting for the flight plan of a starting flight and what the flight takes from it.
#include "config/records.h"
#include "flight/records.h"
#include "sample_install/sample_files.h"
#include "sim/fpl.h"
#include "sim/records.h"
#include "sim_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>

namespace kalveo {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testing::SimTest;

constexpr const char* kPlan =
    "C:\\users\\pilot\\Documents\\Condor3\\Pilots\\Sample Pilot\\Flightplan.fpl";

class FlightStart : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        install();
        inst_.cndrpilpath = "C:\\users\\pilot\\Documents\\Condor3\\Pilots\\Sample Pilot";
        texts_.msgfplnfnd = " not found/Start a flight first";
        texts_.msgdisauto = "Automatic units need the flight plan";
    }

    MessagesRecord texts_;

    void write_plan(const SampleFlightPlan& plan) const {
        write_sim_file(kPlan, flight_plan_text(plan));
    }

    // Runs read_fpl_0 with a pause that counts and may act on a given call.
    void start(const std::function<void(int)>& on_pause = {}) {
        pauses_ = 0;
        ::testing::internal::CaptureStdout();
        plan_ = read_fpl_0(inst_, file_, false, texts_, false, [&] {
            ++pauses_;
            if (on_pause) on_pause(pauses_);
        });
        console_ = ::testing::internal::GetCapturedStdout();
    }

    Installation inst_;
    std::string file_ = kPlan;
    std::optional<FlightPlan> plan_;
    int pauses_ = 0;
    std::string console_;
};

TEST_F(FlightStart, SamplePlanGivesAltitudesGliderAndWeather) {
    start();
    EXPECT_EQ(pauses_, 0);
    ASSERT_TRUE(plan_);
    EXPECT_EQ(plan_->task.nb_wp, 4);
    EXPECT_DOUBLE_EQ(plan_->altitudes.start, 400);
    EXPECT_DOUBLE_EQ(plan_->altitudes.finish, 412);
    EXPECT_EQ(plan_->glider.glnam, "LS8neo");
    EXPECT_DOUBLE_EQ(plan_->water, 100);
    EXPECT_DOUBLE_EQ(plan_->zones.winddir[0], 270);
    EXPECT_DOUBLE_EQ(plan_->zones.windspeed[0], 4.5);
    EXPECT_DOUBLE_EQ(plan_->zones.thermalstemp[1], 21 + 273.15);
    EXPECT_TRUE(plan_->glider_options.qbugwipers);
    EXPECT_THAT(console_, HasSubstr("BUGWIPERS 1"));
    EXPECT_THAT(log(), HasSubstr("FPLFILE : " + std::string(kPlan)));
    EXPECT_THAT(log(), HasSubstr("Condor 2 path : C:\\users\\pilot"));
}

TEST_F(FlightStart, BugWipersNeedFittingPermissionAndBugs) {
    auto plan = default_flight_plan(3);
    plan.allow_bugwipers = false;
    write_plan(plan);
    start();
    ASSERT_TRUE(plan_);
    EXPECT_FALSE(plan_->glider_options.qbugwipers);

    plan = default_flight_plan(3);
    for (auto& zone : plan.zones)
        zone.bugs = 0;
    write_plan(plan);
    start();
    ASSERT_TRUE(plan_);
    EXPECT_FALSE(plan_->glider_options.qbugwipers);

    plan = default_flight_plan(3);
    plan.bugwipers = false;
    write_plan(plan);
    start();
    ASSERT_TRUE(plan_);
    EXPECT_FALSE(plan_->glider_options.qbugwipers);
}

TEST_F(FlightStart, OnlyBugsOfCountedZonesMatter) {
    auto plan = default_flight_plan(3);
    plan.zones[0].bugs = 0;
    plan.zones[1].bugs = 3;
    write_plan(plan);
    std::string text = flight_plan_text(plan);
    const auto at = text.find("WZCount=2");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 9, "WZCount=1");
    write_sim_file(kPlan, text);
    start();
    ASSERT_TRUE(plan_);
    EXPECT_EQ(plan_->zone_bugs.thermalsbugs[1], 3);
    EXPECT_FALSE(plan_->glider_options.qbugwipers);
}

TEST_F(FlightStart, TaskWithoutTurnpointsEndsAtZero) {
    auto plan = default_flight_plan(3);
    plan.turnpoints.clear();
    write_plan(plan);
    start();
    ASSERT_TRUE(plan_);
    EXPECT_EQ(plan_->task.nb_wp, 0);
    EXPECT_DOUBLE_EQ(plan_->altitudes.start, 0);
    EXPECT_DOUBLE_EQ(plan_->altitudes.finish, 0);
}

TEST_F(FlightStart, ThreeTurnpointsEndAtTheThird) {
    auto plan = default_flight_plan(3);
    plan.turnpoints.pop_back();
    write_plan(plan);
    start();
    ASSERT_TRUE(plan_);
    EXPECT_DOUBLE_EQ(plan_->altitudes.finish, 686);
}

TEST_F(FlightStart, PlanAppearingLateIsRead) {
    const auto text = testing::read_file(sample_host_path(prefix(), kPlan));
    std::filesystem::remove(sample_host_path(prefix(), kPlan));
    start([&](int pause) {
        if (pause == 3) write_sim_file(kPlan, text);
    });
    EXPECT_EQ(pauses_, 3);
    ASSERT_TRUE(plan_);
    EXPECT_EQ(plan_->glider.glnam, "LS8neo");
    EXPECT_THAT(log(), HasSubstr("Flightplan not found - retrying  1"));
    EXPECT_THAT(log(), HasSubstr("Flightplan not found - retrying  3"));
    EXPECT_THAT(log(), Not(HasSubstr("retrying  4")));
}

TEST_F(FlightStart, PlanNeverAppearingStopsAfterTenAttempts) {
    std::filesystem::remove(sample_host_path(prefix(), kPlan));
    const auto console = folder() / "console.txt";
    EXPECT_EXIT(
        {
            testing::stdout_to_file(console);
            (void)read_fpl_0(inst_, kPlan, true, texts_, false, [] {});
        },
        ::testing::ExitedWithCode(1), "");
    const std::string shown = testing::read_text(console);
    EXPECT_THAT(shown, HasSubstr("messageBox ok warning title=\"Kalveo\""));
    EXPECT_THAT(shown, HasSubstr("Flightplan.fpl not found\\nStart a flight first\\n"
                                 "Automatic units need the flight plan\""));
    EXPECT_THAT(log(), HasSubstr("Flightplan not found - retrying  9"));
    EXPECT_THAT(log(), Not(HasSubstr("retrying 10")));
}

TEST_F(FlightStart, PlanThatCannotBeOpenedLeavesEverythingAsItWas) {
    std::filesystem::remove(sample_host_path(prefix(), kPlan));
    std::filesystem::create_directories(sample_host_path(prefix(), kPlan));
    start();
    EXPECT_EQ(pauses_, 9);
    EXPECT_FALSE(plan_) << "a plan that cannot be opened gives nothing";
    EXPECT_THAT(log(), HasSubstr("Flightplan exists but could not be opened - retrying  9"));
}

TEST_F(FlightStart, NameCaseDoesNotMatterAsOnWindows) {
    file_ = "C:\\USERS\\pilot\\documents\\condor3\\Pilots\\Sample Pilot\\FlightPlan.FPL";
    start();
    EXPECT_EQ(pauses_, 0);
    ASSERT_TRUE(plan_);
    EXPECT_EQ(plan_->glider.glnam, "LS8neo");
}

} // namespace
} // namespace kalveo
