// The event loop's timer: blink phase, wall clock, and the check that the simulator has left
// its flight, with its question.
#include "display/display_state.h"
#include "display/event_loop.h"
#include "display/window_events.h"

#include <gtest/gtest.h>
#include <regex>
#include <vector>

namespace kalveo {
namespace {

TEST(BlinkPhaseTest, FourTicksOnFourTicksOff) {
    std::vector<int> phases;
    for (int count = 0; count < 16; ++count)
        phases.push_back(blink_phase(count));
    EXPECT_EQ(phases, (std::vector<int>{0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0}));
}

TEST(WallClockTest, ShowsHoursMinutesSeconds) {
    EXPECT_TRUE(
        std::regex_match(wall_clock_text(), std::regex("W: [0-2][0-9]:[0-5][0-9]:[0-6][0-9]")));
}

TEST(RedrawTest, AWindowIsDrawnWhenWhatItShowsChangesAndOnceASecond) {
    EXPECT_TRUE(redraw_due(2, 1, 100.0, 99.99));
    EXPECT_FALSE(redraw_due(1, 1, 100.0, 99.5));
    EXPECT_TRUE(redraw_due(1, 1, 100.0, 99.0));
}

TEST(RedrawTest, TheKeyFollowsShownValuesNotTheTickCount) {
    const DisplayStateRecord base;
    DisplayStateRecord s = base;
    const std::size_t key = shown_state_key(s);
    s.count += 7;
    EXPECT_EQ(shown_state_key(s), key);
    s.tas += 1;
    EXPECT_NE(shown_state_key(s), key);
    s = base;
    s.buf_walclk = "W: 23:59:59";
    EXPECT_NE(shown_state_key(s), key);
    s = base;
    s.TxtBgd_f[1] += 0.5F;
    EXPECT_NE(shown_state_key(s), key);
}

// The keys the timer would see at its redraw requests (even ticks) over `ticks` ticks, `now`
// moving on 25 ms a tick; how many distinct frames they would ask for.
int frames_asked(DisplayStateRecord& s, int ticks, double now) {
    int frames = 0;
    std::size_t last = 0;
    for (int tick = 0; tick < ticks; ++tick, now += 0.025) {
        if (s.count % 2 == 0) {
            const std::size_t key = shown_state_key(s, now);
            if (key != last) ++frames;
            last = key;
        }
        s.count += 1;
        s.blink = blink_phase(s.count);
    }
    return frames;
}

TEST(RedrawTest, BlinkingAndTheWaitingTextAskForFramesASteadyStripDoesNot) {
    DisplayStateRecord s;
    s.GotTAS = 1;
    s.count = 0;
    s.vne = 280;
    s.status.margin = 10;
    s.tas = 200;
    // 80 ticks are 20 blink phases: a steady strip asks once, a warning at every phase.
    EXPECT_EQ(frames_asked(s, 80, 5000.0), 1);
    s.tas = 275;
    EXPECT_EQ(frames_asked(s, 80, 5000.0), 1 + 20);

    // A flap advice blinks (each phase a frame) until 30 s after it came, then rests.
    s.tas = 200;
    s.modflap = 1;
    s.LastFlapUpdate = 5000.0;
    EXPECT_EQ(frames_asked(s, 80, 5010.0), 1 + 20);
    EXPECT_EQ(frames_asked(s, 80, 5030.0), 1);

    // Before the first datagram the waiting text moves on every 20 ticks.
    s.modflap = 0;
    s.GotTAS = 0;
    s.count = 0;
    EXPECT_EQ(frames_asked(s, 200, 5000.0), 10); // 5 s: ten texts, the first one included
}

// A simulator whose state the test sets, and a pilot whose answer it sets; both count calls.
struct FakeWorld {
    int state = 0;
    bool answer = true;
    int probes = 0;
    int questions = 0;
    std::string last_question;

    StopProbe probe() {
        StopProbe p;
        p.simulator_state = [this] {
            ++probes;
            return state;
        };
        p.confirm = [this](const std::string& q) {
            ++questions;
            last_question = q;
            return answer;
        };
        return p;
    }
};

class StopCheckTest : public ::testing::Test {
  protected:
    static constexpr double kStart = 1000.0;

    void SetUp() override {
        s.GotTAS = 1;
        s.LastTimeWeReceivedData = kStart;
        s.StopWait = 0;
        s.ConfirmStop = 1;
        s.MsgCndrStp = "Condor has stopped";
    }

    // Runs ticks of 25 ms from `from` seconds after the last datagram until the check says to
    // end, or `seconds` have passed; returns the time of the end (or -1).
    double run(double from, double seconds) {
        for (double t = from; t <= from + seconds; t += 0.025) {
            const bool end = check_simulator_stopped(s, kStart + t, world.probe());
            ++s.count;
            if (end) return t;
        }
        return -1.0;
    }

    DisplayStateRecord s;
    FakeWorld world;
};

TEST_F(StopCheckTest, NoDataEverMeansNoCheckAtAll) {
    s.GotTAS = 0;
    EXPECT_LT(run(0.0, 30.0), 0.0);
    EXPECT_EQ(world.probes, 0);
}

TEST_F(StopCheckTest, NoProbeWhileDataIsLessThanTenSecondsOld) {
    EXPECT_LT(run(0.0, 9.9), 0.0);
    EXPECT_EQ(world.probes, 0);
}

TEST_F(StopCheckTest, AsksOnceTheSimulatorIsOutOfFlightAndEndsOnOk) {
    const double end = run(9.0, 5.0);
    ASSERT_GE(end, 10.0);
    EXPECT_LE(end, 10.6); // probed every 20 ticks
    EXPECT_EQ(world.questions, 1);
    EXPECT_EQ(world.last_question, "Condor has stopped");
    EXPECT_EQ(s.WeAreClosing, Closing::yes);
}

TEST_F(StopCheckTest, ASimulatorStillInFlightIsLeftAlone) {
    world.state = 1;
    EXPECT_LT(run(9.0, 10.0), 0.0);
    EXPECT_GT(world.probes, 10);
    EXPECT_EQ(world.questions, 0);
    EXPECT_EQ(s.WeAreClosing, Closing::no);
}

TEST_F(StopCheckTest, AnUnreadableLogDoesNotEndTheRun) {
    world.state = -999;
    EXPECT_LT(run(9.0, 10.0), 0.0);
    EXPECT_EQ(world.questions, 0);
}

TEST_F(StopCheckTest, StopWaitMinusOneEndsWithoutAsking) {
    s.StopWait = -1;
    s.ConfirmStop = 0;
    const double end = run(9.0, 5.0);
    EXPECT_GE(end, 10.0);
    EXPECT_LE(end, 10.6);
    EXPECT_EQ(world.questions, 0);
}

TEST_F(StopCheckTest, StopWaitMinusTwoNeverChecks) {
    s.StopWait = -2;
    s.ConfirmStop = 0;
    EXPECT_LT(run(9.0, 60.0), 0.0);
    EXPECT_EQ(world.probes, 0);
}

TEST_F(StopCheckTest, StopWaitThirtyAsksThirtySecondsAfterTheFirstFailedProbe) {
    s.StopWait = 30;
    const double end = run(9.0, 40.0);
    ASSERT_GE(end, 0.0);
    EXPECT_NEAR(end - s.TimeCondorStopped + kStart, 30.0, 0.6);
    EXPECT_NEAR(s.TimeCondorStopped - kStart, 10.0, 0.6);
    EXPECT_EQ(world.questions, 1);
}

TEST_F(StopCheckTest, CancelIsNotAskedAgainUntilTheSimulatorFliesOrDataComes) {
    world.answer = false;
    EXPECT_LT(run(9.0, 20.0), 0.0);
    EXPECT_EQ(world.questions, 1);
    EXPECT_EQ(s.WeAreClosing, Closing::declined);

    // After a decline the probe slows down to every 200 ticks (5 s).
    const int probes = world.probes;
    run(30.0, 10.0);
    EXPECT_LE(world.probes - probes, 3);

    // The simulator flies again: the question may come back once it stops again.
    world.state = 1;
    run(41.0, 6.0);
    EXPECT_EQ(s.WeAreClosing, Closing::no);
    world.state = 0;
    world.answer = true;
    EXPECT_GE(run(48.0, 2.0), 0.0);
    EXPECT_EQ(world.questions, 2);
}

TEST_F(StopCheckTest, FreshDataClearsADecline) {
    s.WeAreClosing = Closing::declined;
    s.LastTimeWeReceivedData = kStart + 5.0;
    check_simulator_stopped(s, kStart + 6.0, world.probe());
    EXPECT_EQ(s.WeAreClosing, Closing::no);
}

} // namespace
} // namespace kalveo
