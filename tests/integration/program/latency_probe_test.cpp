// The alarm-latency probe: from a datagram's arrival stamp at the socket to the first
// sounding buffer leaving the mixer, armed only when the mixer was silent.
#include "link/udp_link.h"
#include "platform/socket.h"
#include "report/log.h"
#include "report/report_fixture.h"
#include "shell/latency_probe.h"

#include <array>
#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace kalveo::testing {
namespace {

int free_port() {
    const SocketHandle s = udp_socket_open();
    socket_bind(s, {kIpv4Loopback, 0});
    const auto local = socket_local_endpoint(s);
    socket_close(s);
    return local ? local->port : 0;
}

class LatencyProbeTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        if (probe_.start_if_asked(sound_)) link_.stamp_arrivals(true);
        port_ = free_port();
        ::testing::internal::CaptureStdout();
        ASSERT_GE(link_.open(port_, 0, ""), 0);
        (void)::testing::internal::GetCapturedStdout();
    }
    void TearDown() override {
        ::testing::internal::CaptureStdout();
        link_.close();
        (void)::testing::internal::GetCapturedStdout();
        ShellTest::TearDown();
    }

    // Sends one datagram and lets the link read it; returns the times around the send.
    std::pair<double, double> send_and_read() {
        const SocketHandle sender = udp_socket_open();
        const double before = epoch_seconds_now();
        const std::string datagram = "airspeed=80\n";
        socket_send_to(sender, datagram, {kIpv4Loopback, static_cast<std::uint16_t>(port_)});
        const double after = epoch_seconds_now();
        socket_close(sender);
        ::testing::internal::CaptureStdout();
        for (int i = 0; i < 20 && link_.read() == 0; ++i) {
        }
        (void)::testing::internal::GetCapturedStdout();
        probe_.alarm_started(link_.last_arrival()); // the cycle starting an alarm
        return {before, after};
    }

    LatencyProbe probe_;
    SoundEngine sound_;
    UdpLink link_;
    int port_ = 0;
    ScopedEnv wanted_{"KALVEO_LATENCY_PROBE", "1"};
};

TEST_F(LatencyProbeTest, MeasuresFromTheArrivalStampToTheFirstSoundingBuffer) {
    const std::array<std::int16_t, 4> silence{};
    const std::array<std::int16_t, 4> sound{0, 120, -80, 0};
    probe_.mixed(silence, epoch_seconds_now()); // the mixer is quiet

    const auto [before, after] = send_and_read();
    const double arrival = link_.last_arrival();
    EXPECT_GE(arrival, before - 0.001);
    EXPECT_LE(arrival, after + 0.5);

    probe_.mixed(silence, arrival + 0.005); // not yet sounding
    probe_.mixed(sound, arrival + 0.0125);  // the alarm leaves the mixer
    probe_.mixed(sound, arrival + 0.030);   // later buffers do not count
    probe_.alarm_started(arrival);          // the next alarm logs the result
    const std::string text = log();
    EXPECT_NE(text.find("Alarm latency : 12.50 ms"), std::string::npos) << text;
    EXPECT_EQ(std::regex_search(text, std::regex("Alarm latency : (?!12\\.50)")), false) << text;
}

TEST_F(LatencyProbeTest, AnAlarmOverAnotherSoundIsNotMeasured) {
    const std::array<std::int16_t, 2> sound{40, 40};
    probe_.mixed(sound, epoch_seconds_now()); // something is playing
    (void)send_and_read();
    probe_.mixed(sound, link_.last_arrival() + 0.02);
    probe_.alarm_started(link_.last_arrival());
    EXPECT_EQ(log().find("Alarm latency"), std::string::npos) << log();
}

} // namespace
} // namespace kalveo::testing
