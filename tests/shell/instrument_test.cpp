// The instrument's tick, as the windowing component's timer calls it: a datagram from the
// socket is forwarded, stepped through the cycle and shown, and the tick's log lines keep their
// order. Start-up has not finished here, so the cycle answers its "not initialised" value.
#include "display/display_state.h"
#include "flight/cycle.h"
#include "flight/records.h"
#include "platform/socket.h"
#include "report/report_fixture.h"
#include "shell/instrument.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace kalveo {
namespace {

using testing::ShellTest;

// A socket of its own on the loopback address: the simulator, or the forward target. It holds
// the socket library (Winsock wants it started before any socket).
class Peer {
  public:
    Peer() {
        socket_library_start();
        socket_ = udp_socket_open();
        socket_bind(socket_, {kIpv4Loopback, 0});
        const auto local = socket_local_endpoint(socket_);
        port_ = local ? local->port : 0;
    }
    ~Peer() {
        socket_close(socket_);
        socket_library_stop();
    }
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    [[nodiscard]] int port() const { return port_; }
    void send_to(int port, const std::string& text) const {
        socket_send_to(socket_, text, {kIpv4Loopback, static_cast<std::uint16_t>(port)});
    }
    [[nodiscard]] std::string receive() const {
        std::array<char, 1024> buffer{};
        if (socket_wait_readable(socket_, 200000) <= 0) return {};
        const int n = socket_receive(socket_, buffer, nullptr);
        return n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string();
    }

  private:
    SocketHandle socket_ = kNoSocket;
    int port_ = 0;
};

class InstrumentTick : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        instrument_.display().KbdHookEnabled = 0; // no keyboard watch in a test process
        // As in a start-up pass, the cycle waits until the windows run.
        instrument_.take_settings(Settings{});
        const Peer probe;
        port_ = probe.port();
    }
    void TearDown() override {
        // Closed while the scratch folder still takes the log.
        ::testing::internal::CaptureStdout();
        instrument_.cleanup();
        (void)::testing::internal::GetCapturedStdout();
        ShellTest::TearDown();
    }

    // One tick with standard output (the link's first-read diagnostics) set aside.
    void tick() {
        ::testing::internal::CaptureStdout();
        instrument_.tick();
        (void)::testing::internal::GetCapturedStdout();
    }

    int port_ = 0;
    Instrument instrument_;
};

TEST_F(InstrumentTick, ADatagramIsForwardedSteppedThroughTheCycleAndShown) {
    const Peer simulator;
    const Peer listener;
    ::testing::internal::CaptureStdout();
    ASSERT_EQ(instrument_.open_link(port_, listener.port(), "127.0.0.1", "127.0.0.1"), 0);
    (void)::testing::internal::GetCapturedStdout();

    simulator.send_to(port_, "airspeed=30\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    tick();
    EXPECT_EQ(listener.receive(), "airspeed=30\n");
    const DisplayStateRecord& s = instrument_.display();
    EXPECT_EQ(s.GotTAS, 1);
    EXPECT_EQ(s.tas, kNotInitialisedResult);
    EXPECT_GT(s.LastTimeWeReceivedData, 0.0);
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(s.buf_walclk.substr(0, 3), "W: ");

    // A quiet tick reads nothing, decodes nothing and keeps what is shown.
    tick();
    EXPECT_EQ(s.tas, kNotInitialisedResult);
    EXPECT_EQ(s.count, 2);
    const std::string text = log();
    const auto decoded = text.find("MY_TAS : Kalveo not initialized yet");
    const auto first = text.find("ByteReceived 12");
    const auto second = text.find("ByteReceived 0", first);
    ASSERT_NE(decoded, std::string::npos) << text;
    EXPECT_LT(decoded, first) << text; // the cycle runs before the tick's own line
    EXPECT_NE(second, std::string::npos) << text;
    EXPECT_EQ(text.find("MY_TAS", decoded + 1), std::string::npos) << text;
}

TEST_F(InstrumentTick, TheFirstTickWritesTheTimerLineAndTheCleanUpClosesTheSocket) {
    ::testing::internal::CaptureStdout();
    ASSERT_EQ(instrument_.open_link(port_, 0, "", ""), 0);
    (void)::testing::internal::GetCapturedStdout();
    tick();
    EXPECT_TRUE(instrument_.link().state().open);
    ::testing::internal::CaptureStdout();
    instrument_.cleanup();
    (void)::testing::internal::GetCapturedStdout();
    EXPECT_FALSE(instrument_.link().state().open);
    const std::string text = log();
    const char* in_order[] = {"Timer : count, time, closing 0",
                              "ByteReceived 0",
                              "Cleanup started",
                              "Core cleanup",
                              "Close UDP",
                              "Free Context",
                              "Cleanup complete"};
    std::size_t at = 0;
    for (const char* line : in_order) {
        const auto found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << "\n" << text;
        at = found;
    }
    EXPECT_EQ(text.find("Release Hook"), std::string::npos); // no watch was started
}

} // namespace
} // namespace kalveo
