#include "link/udp_link.h"
#include "loopback.h"
#include "report/log.h"
#include "support/test_files.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace kalveo {
namespace {

using namespace std::chrono_literals;
using testing::LoopbackPeer;

int count_of(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// Each test runs in a scratch folder (the log lands there) with a link of its own, whose
// newest datagram goes to a decoder that records what it was handed, as the tick does.
class UdpLinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A log of its own, whatever an earlier test in this process created.
        ::testing::internal::CaptureStdout();
        log_message_f("CREATE Logfile.txt");
        (void)::testing::internal::GetCapturedStdout();
    }

    // Runs the link's open with standard output captured into `output`.
    int init(int in_port, int out_port, std::string_view out_addr,
             std::string_view simulator_host = {}) {
        ::testing::internal::CaptureStdout();
        const int result =
            link.open(in_port, out_port, out_addr, simulator_host, [this](std::string_view d) {
                decoded.emplace_back(d);
                return decoder_result;
            });
        output = ::testing::internal::GetCapturedStdout();
        return result;
    }

    // One tick's read: every datagram forwarded, the newest decoded into `tas`.
    int read(int& tas) {
        const int bytes = link.read();
        tas = bytes > 0 ? decode() : 0;
        return bytes;
    }

    int decode() {
        decoded.emplace_back(link.newest());
        return link.decoded(decoder_result);
    }

    [[nodiscard]] std::string log_text() const { return testing::read_text(dir / "Logfile.txt"); }

    testing::TempDir dir;
    testing::ScopedCwd cwd{dir.path()};
    UdpLink link;
    std::vector<std::string> decoded;
    double decoder_result = 123.7;
    std::string output;
};

TEST_F(UdpLinkTest, IdleSocketGivesNothingAndDecodesNothing) {
    const int port = testing::free_udp_port();
    ASSERT_EQ(init(port, 0, ""), 0);
    int tas = -1;
    EXPECT_EQ(read(tas), 0);
    EXPECT_EQ(tas, 0);
    EXPECT_TRUE(decoded.empty());
    EXPECT_TRUE(link.state().open);
    EXPECT_FALSE(link.state().forwarding);
}

TEST_F(UdpLinkTest, ForwardsEveryQueuedDatagramInOrderAndDecodesOnlyTheLast) {
    LoopbackPeer simulator;
    LoopbackPeer listener;
    ASSERT_TRUE(simulator.ok() && listener.ok());
    const int port = testing::free_udp_port();
    ASSERT_EQ(init(port, listener.port(), "127.0.0.1"), 0);
    EXPECT_TRUE(link.state().forwarding);

    ASSERT_TRUE(simulator.send_to(port, "airspeed=10\r\n"));
    ASSERT_TRUE(simulator.send_to(port, "airspeed=20\r\n"));
    ASSERT_TRUE(simulator.send_to(port, "airspeed=3\r\n"));
    // Queued before the tick: loopback delivery is not immediate everywhere (Wine's takes a
    // moment on a busy machine).
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    int tas = 0;
    EXPECT_EQ(read(tas), 12);
    EXPECT_EQ(tas, 123);
    EXPECT_EQ(decoded, std::vector<std::string>{"airspeed=3\r\n"});
    EXPECT_EQ(link.state().last_batch, 3);
    EXPECT_EQ(listener.receive_all(),
              (std::vector<std::string>{"airspeed=10\r\n", "airspeed=20\r\n", "airspeed=3\r\n"}));
}

TEST_F(UdpLinkTest, CutsLongDatagramsForDecoderAndForwardAlike) {
    LoopbackPeer simulator;
    LoopbackPeer listener;
    const int port = testing::free_udp_port();
    ASSERT_EQ(init(port, listener.port(), "127.0.0.1"), 0);

    std::string long_datagram;
    for (int i = 0; long_datagram.size() < 1500; ++i)
        long_datagram += "key" + std::to_string(i) + "=1\n";
    long_datagram.resize(1500);
    ASSERT_TRUE(simulator.send_to(port, long_datagram));
    int tas = 0;
    EXPECT_EQ(read(tas), kUdpBufferLength);
    const std::string head = long_datagram.substr(0, kUdpBufferLength);
    EXPECT_EQ(decoded, std::vector<std::string>{head});
    EXPECT_EQ(listener.receive_all(), std::vector<std::string>{head});
}

TEST_F(UdpLinkTest, DecoderSeesOnlyTheBytesOfEachDatagram) {
    LoopbackPeer simulator;
    const int port = testing::free_udp_port();
    ASSERT_EQ(init(port, 0, ""), 0);
    int tas = 0;
    ASSERT_TRUE(simulator.send_to(port, "altitude=1234.5\nvario=2.5\n"));
    EXPECT_EQ(read(tas), 26);
    // A shorter datagram must not come with the tail of the one before.
    ASSERT_TRUE(simulator.send_to(port, "altitude=9\n"));
    EXPECT_EQ(read(tas), 11);
    EXPECT_EQ(decoded, (std::vector<std::string>{"altitude=1234.5\nvario=2.5\n", "altitude=9\n"}));
    // An empty datagram is nothing to decode, says nothing, and does not hide the one before.
    ASSERT_TRUE(simulator.send_to(port, ""));
    EXPECT_EQ(read(tas), 0);
    EXPECT_EQ(tas, 0);
    ASSERT_TRUE(simulator.send_to(port, "altitude=7\n"));
    ASSERT_TRUE(simulator.send_to(port, ""));
    EXPECT_EQ(read(tas), 11);
    EXPECT_EQ(decoded.size(), 3u);
    EXPECT_EQ(decoded.back(), "altitude=7\n");
    EXPECT_EQ(log_text().find("Connection closed"), std::string::npos) << log_text();
}

TEST_F(UdpLinkTest, TruncatesTheDecoderResultAndKeepsOddValuesInRange) {
    LoopbackPeer simulator;
    const int port = testing::free_udp_port();
    ASSERT_EQ(init(port, 0, ""), 0);
    const auto tas_for = [&](double result) {
        decoder_result = result;
        simulator.send_to(port, "x=1\n");
        int tas = -7;
        read(tas);
        return tas;
    };
    EXPECT_EQ(tas_for(181.9), 181);
    EXPECT_EQ(tas_for(-4.5), -4);
    EXPECT_EQ(tas_for(std::nan("")), 0);
    EXPECT_EQ(tas_for(1e30), std::numeric_limits<int>::max());
    EXPECT_EQ(tas_for(-1e30), std::numeric_limits<int>::min());
}

TEST_F(UdpLinkTest, ReadingForwardsWithoutDecodingAndKeepsTheNewest) {
    LoopbackPeer simulator;
    LoopbackPeer listener;
    const int port = testing::free_udp_port();
    ASSERT_EQ(init(port, listener.port(), "127.0.0.1"), 0);
    ASSERT_TRUE(simulator.send_to(port, "a=1\n"));
    EXPECT_EQ(link.read(), 4);
    EXPECT_EQ(link.newest(), "a=1\n");
    EXPECT_TRUE(decoded.empty());
    EXPECT_EQ(listener.receive_all(), std::vector<std::string>{"a=1\n"});
    EXPECT_EQ(link.read(), 0);
    EXPECT_EQ(link.newest(), "");
}

TEST_F(UdpLinkTest, InitReportsItsPortsAndItsFirstRead) {
    LoopbackPeer simulator;
    const int port = testing::free_udp_port();
    // Nothing can be waiting before the socket exists, so the first read of
    // open finds nothing; the next tick gets the datagram.
    ASSERT_EQ(init(port, 0, ""), 0);
    EXPECT_NE(output.find("Port = " + std::to_string(port) + " " + std::to_string(port)),
              std::string::npos);
    EXPECT_NE(log_text().find("Waiting for datagrams ..."), std::string::npos);
    EXPECT_NE(log_text().find("Server: Total Bytes received: 0"), std::string::npos);
    ASSERT_TRUE(simulator.send_to(port, "a=1\n"));
    int tas = 0;
    EXPECT_EQ(read(tas), 4);
}

TEST_F(UdpLinkTest, PortsOfZeroOrLessKeepTheDefaultsAndForwardNothing) {
    if (!testing::udp_port_is_free(kDefaultUdpPort)) GTEST_SKIP() << "port 55278 is in use";
    ASSERT_EQ(init(0, 0, "not an address"), 0);
    EXPECT_EQ(link.state().port, kDefaultUdpPort);
    EXPECT_FALSE(link.state().forwarding);
    EXPECT_NE(output.find("Port = 0 55278"), std::string::npos);
    EXPECT_NE(output.find("SendPort = 0 0 0"), std::string::npos);

    LoopbackPeer simulator;
    ASSERT_TRUE(simulator.send_to(kDefaultUdpPort, "a=1\n"));
    int tas = 0;
    EXPECT_EQ(read(tas), 4);
    EXPECT_EQ(decoded, std::vector<std::string>{"a=1\n"});

    link.close();
    ASSERT_EQ(init(-5, -1, "127.0.0.1"), 0);
    EXPECT_EQ(link.state().port, kDefaultUdpPort);
    EXPECT_FALSE(link.state().forwarding);
}

TEST_F(UdpLinkTest, BadForwardAddressFailsWithItsReportAndFreesThePort) {
    const int port = testing::free_udp_port();
    for (const char* address : {"not.an.address", "256.1.1.1", "", "10.0.0", "255.255.255.255"}) {
        SCOPED_TRACE(address);
        EXPECT_EQ(init(port, 40000, address), -1);
        EXPECT_NE(output.find("Server: Sending Bind() failed!"), std::string::npos);
        EXPECT_FALSE(link.state().open);
        EXPECT_FALSE(link.state().forwarding);
        // Nothing stays bound after the failure.
        EXPECT_TRUE(testing::udp_port_is_free(port));
    }
    EXPECT_NE(log_text().find("Invalid forward address: not.an.address"), std::string::npos);
}

TEST_F(UdpLinkTest, PortInUseFailsCleanlyAndTheLinkOpensLater) {
    LoopbackPeer occupant;
    // Bound to every address, as open binds.
    const int port = testing::free_udp_port();
    const SocketHandle blocker = udp_socket_open();
    ASSERT_EQ(socket_bind(blocker, {kIpv4Any, static_cast<std::uint16_t>(port)}), 0);
    EXPECT_EQ(init(port, occupant.port(), "127.0.0.1"), -1);
    EXPECT_NE(output.find("Server: Bind() failed! Error: "), std::string::npos);
    EXPECT_NE(log_text().find("Server: Bind() failed! Error: "), std::string::npos);
    EXPECT_FALSE(link.state().open);
    int tas = -1;
    EXPECT_EQ(read(tas), 0);
    EXPECT_EQ(tas, 0);

    socket_close(blocker);
    EXPECT_EQ(init(port, occupant.port(), "127.0.0.1"), 0);
    EXPECT_TRUE(link.state().open);
}

TEST_F(UdpLinkTest, PortsBeyondSixteenBitsAreRefused) {
    EXPECT_EQ(init(65536 + 4000, 0, ""), -1);
    EXPECT_NE(output.find("Server: Port 69536 is not a valid UDP port"), std::string::npos);
    EXPECT_EQ(init(testing::free_udp_port(), 70000, "127.0.0.1"), -1);
    EXPECT_NE(output.find("Forward port 70000 is not a valid UDP port"), std::string::npos);
    EXPECT_FALSE(link.state().open);
}

TEST_F(UdpLinkTest, ReadNeverWaitsLongerThanItsSelectTimeout) {
    const int port = testing::free_udp_port();
    ASSERT_EQ(init(port, 0, ""), 0);
    int tas = 0;
    constexpr int kReads = 20;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kReads; ++i)
        read(tas);
    const auto waited = std::chrono::steady_clock::now() - start;
    // 2.5 ms each, plus what a busy machine adds to any wait.
    EXPECT_LT(waited, kReads * (2500us + 5ms));

    link.close();
    const auto closed_start = std::chrono::steady_clock::now();
    EXPECT_EQ(read(tas), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - closed_start, 50ms);
}

TEST_F(UdpLinkTest, FailedForwardsDoNotStopDecodingAndAreLoggedOnce) {
    LoopbackPeer simulator;
    const int nobody = testing::free_udp_port();
    const int port = testing::free_udp_port();
    ASSERT_EQ(init(port, nobody, "127.0.0.1"), 0);
    int tas = 0;
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(simulator.send_to(port, "tick=" + std::to_string(i % 10) + "\n"));
        EXPECT_EQ(read(tas), 7);
        EXPECT_EQ(tas, 123);
    }
    EXPECT_EQ(decoded.size(), 100u);
    // The system refuses every second send; the log has the first failure and, at the close,
    // how often it came in all.
    link.close();
    const std::string log = log_text();
    EXPECT_EQ(count_of(log, "UDP forward failed"), 2) << log;
    EXPECT_NE(log.find("Ended : Server: UDP forward failed : "), std::string::npos) << log;
}

TEST_F(UdpLinkTest, ListensOnLoopbackUnlessTheSimulatorSendsFromAnotherHost) {
    for (const auto& [host, address] :
         std::vector<std::pair<std::string, std::string>>{{"127.0.0.1", "127.0.0.1"},
                                                          {" localhost ", "127.0.0.1"},
                                                          {"LocalHost", "127.0.0.1"},
                                                          {"", "127.0.0.1"},
                                                          {"127.1.2.3", "127.1.2.3"},
                                                          {"192.168.1.20", "0.0.0.0"},
                                                          {"simulator-pc", "0.0.0.0"},
                                                          {"128.0.0.1", "0.0.0.0"}}) {
        EXPECT_EQ(format_ipv4(listen_address(host)), address) << host;
    }

    // What is sent to this machine's network address does not reach a loopback socket.
    const auto outward = testing::outward_address();
    const int port = testing::free_udp_port();
    const auto reached = [&](std::uint32_t to) {
        const SocketHandle sender = udp_socket_open();
        socket_send_to(sender, "a=1\n", {to, static_cast<std::uint16_t>(port)});
        socket_close(sender);
        int tas = 0;
        for (int i = 0; i < 40; ++i)
            if (read(tas) > 0) return true;
        return false;
    };
    ASSERT_EQ(init(port, 0, "", "127.0.0.1"), 0);
    EXPECT_EQ(link.state().address, kIpv4Loopback);
    EXPECT_NE(log_text().find("Server: Receiving on 127.0.0.1 port " + std::to_string(port)),
              std::string::npos);
    EXPECT_TRUE(reached(kIpv4Loopback));
    if (outward) {
        EXPECT_FALSE(reached(*outward)) << format_ipv4(*outward);
    }

    link.close();
    ASSERT_EQ(init(port, 0, "", "192.168.1.20"), 0);
    EXPECT_EQ(link.state().address, kIpv4Any);
    EXPECT_NE(log_text().find("Server: Receiving on 0.0.0.0 port " + std::to_string(port)),
              std::string::npos);
    if (outward) {
        EXPECT_TRUE(reached(*outward)) << format_ipv4(*outward);
    }
    if (!outward) GTEST_SKIP() << "no network address besides loopback to send to";
}

TEST_F(UdpLinkTest, AForwardToItsOwnSocketIsRefusedAndTheLinkGoesOnWithoutIt) {
    const testing::ScopedEnv dialogs("KALVEO_DIALOGS", "script:" + (dir / "none").string());
    set_error_log_folder(dir.path().string() + "/"); // the warning's error-log entry
    LoopbackPeer simulator;
    const int port = testing::free_udp_port();
    std::vector<std::string> targets = {"127.0.0.1", "127.0.0.9", "0.0.0.0"};
    if (const auto outward = testing::outward_address()) targets.push_back(format_ipv4(*outward));
    for (const std::string& target : targets) {
        SCOPED_TRACE(target);
        decoded.clear();
        ASSERT_EQ(init(port, port, target, "127.0.0.1"), 0);
        EXPECT_TRUE(link.state().open);
        EXPECT_FALSE(link.state().forwarding);
        EXPECT_NE(output.find("messageBox ok warning title=\"Kalveo\" text=\"Forward Port " +
                              std::to_string(port) + " is Kalveo's own port"),
                  std::string::npos)
            << output;
        EXPECT_NE(log_text().find("Server: Forward target " + target + " port " +
                                  std::to_string(port) + " is this program's own socket"),
                  std::string::npos);
        // One datagram is decoded once and does not come back.
        ASSERT_TRUE(simulator.send_to(port, "a=1\n"));
        int tas = 0;
        EXPECT_EQ(read(tas), 4);
        std::this_thread::sleep_for(20ms);
        EXPECT_EQ(read(tas), 0);
        EXPECT_EQ(decoded.size(), 1u);
        link.close();
    }
    set_error_log_folder({});
}

TEST_F(UdpLinkTest, ReopensAfterCloseAndForgetsAnEarlierForward) {
    LoopbackPeer simulator;
    LoopbackPeer listener;
    const int port = testing::free_udp_port();
    ASSERT_EQ(init(port, listener.port(), "127.0.0.1"), 0);
    ASSERT_TRUE(link.state().forwarding);
    EXPECT_EQ(link.close(), 0);
    EXPECT_EQ(link.close(), 0);
    EXPECT_FALSE(link.state().open);
    EXPECT_NE(log_text().find("FWD closesocket() is OK"), std::string::npos);

    // The restart pass reads the settings anew: forwarding now off.
    ASSERT_EQ(init(port, 0, "127.0.0.1"), 0);
    EXPECT_FALSE(link.state().forwarding);
    ASSERT_TRUE(simulator.send_to(port, "a=1\n"));
    int tas = 0;
    EXPECT_EQ(read(tas), 4);
    EXPECT_TRUE(listener.receive_all(50ms).empty());

    // Opening again without a close first must not leave the old socket bound.
    ASSERT_EQ(init(port, 0, ""), 0);
    EXPECT_TRUE(link.state().open);
}

} // namespace
} // namespace kalveo
