// Telemetry floods at the running program (both windows drawn): its timer keeps its pace,
// its memory stays flat, the newest datagram is the one decoded, and at the simulator's
// highest rate every datagram is forwarded in order. What the kernel dropped is reported.
//
// Senders that vanish and come back, several senders at once and a flood while the program
// starts are survived.
//
// CI runs a short flood and 2 s at the highest rate; the full ones are KALVEO_FLOOD_SECONDS=10
// and KALVEO_STEADY_SECONDS=60 (see the README).
#include "platform/socket.h"
#include "program_folder.h"
#include "replay/datagram.h"
#include "replay/scenario.h"
#include "xvfb_server.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

namespace kalveo::testing {
namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The number after the last occurrence of `key` in the text, or -1.
double last_number_after(const std::string& text, const std::string& key) {
    const std::size_t at = text.rfind(key);
    if (at == std::string::npos) return -1;
    return std::strtod(text.c_str() + at + key.size(), nullptr);
}

// Resident memory of a process (kB), from /proc.
long resident_kb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Datagrams the kernel dropped at a local UDP port (the last column of /proc/net/udp).
long kernel_drops(int port) {
    std::ifstream in("/proc/net/udp");
    std::string line;
    char wanted[8];
    std::snprintf(wanted, sizeof wanted, ":%04X", port);
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string slot, local;
        fields >> slot >> local;
        if (local.size() < 5 || local.substr(local.size() - 5) != wanted) continue;
        std::string last, field;
        while (fields >> field)
            last = field;
        return std::strtol(last.c_str(), nullptr, 10);
    }
    return -1;
}

// A datagram as the simulator sends it, numbered by an extra key the program ignores.
std::string numbered_datagram(double time_h, double tas_kmh, long number) {
    replay::FlightSample s;
    s.time_h = time_h;
    s.altitude = 1000.0;
    s.height = 800.0;
    s.airspeed = replay::indicated_from_true(tas_kmh / 3.6, 1000.0);
    s.ground_speed = tas_kmh / 3.6;
    return replay::datagram_text(s) + "seq=" + std::to_string(number) + "\r\n";
}

// The timer's count from the debug log, read now.
struct TickMark {
    Clock::time_point at;
    double count;
};

class Flood : public ::testing::Test {
  protected:
    void SetUp() override {
        static const std::unique_ptr<XvfbServer> server = [] {
            auto started = std::make_unique<XvfbServer>(1280, 1024);
            if (!started->running()) started.reset();
            return started;
        }();
        if (!server) GTEST_SKIP() << "Xvfb is not available";
        display_ = server->display();
        socket_library_start();
        sender_ = udp_socket_open();
        listener_ = udp_socket_open();
        ASSERT_EQ(socket_bind(listener_, Ipv4Endpoint{kIpv4Loopback, 0}), 0);
        forward_port_ = socket_local_endpoint(listener_)->port;
    }
    void TearDown() override {
        stop_listening_ = true;
        if (listen_thread_.joinable()) listen_thread_.join();
        if (sender_ != kNoSocket) socket_close(sender_);
        if (listener_ != kNoSocket) socket_close(listener_);
    }

    // Collects the numbers of the forwarded datagrams.
    void listen() {
        listen_thread_ = std::thread([this] {
            std::array<char, 2048> buf{};
            while (!stop_listening_) {
                if (socket_wait_readable(listener_, 50000) <= 0) continue;
                const int n = socket_receive(listener_, buf, nullptr);
                if (n <= 0) continue;
                const std::string text(buf.data(), static_cast<std::size_t>(n));
                const std::size_t at = text.rfind("seq=");
                if (at == std::string::npos) continue;
                const long number = std::strtol(text.c_str() + at + 4, nullptr, 10);
                std::lock_guard lock(mutex_);
                forwarded_.push_back(number);
            }
        });
    }

    void send(const std::string& text) { socket_send_to(sender_, text, target_); }

    // A sample installation in flight whose program forwards to our listener.
    void prepare_folder() {
        SampleInstallOptions sample;
        sample.log_state = SampleLogState::in_flight;
        folder_ = std::make_unique<ProgramFolder>(sample);
        ASSERT_TRUE(folder_->ready()) << folder_->problem();
        folder_->set_setting("Forward Port", std::to_string(forward_port_));
        folder_->set_setting("Forward Address", "127.0.0.1");
        folder_->answers("ok\nok\n280\n");
        target_ = Ipv4Endpoint{kIpv4Loopback, static_cast<std::uint16_t>(folder_->port())};
        listen();
    }

    // Starts kalveo (with the debug log) and waits for its first tick.
    void start_program() {
        run_ = folder_->start({"-ha", "-d"}, display_);
        ASSERT_TRUE(run_->started());
        ASSERT_TRUE(wait_for_text(folder_->stdout_log(), "ByteReceived", 20.0))
            << read_file(folder_->early_output());
    }

    // The flight starts (its set-up reads the simulator's files and asks for the VNE).
    void start_flight() {
        for (int n = 0; n < 10; ++n) {
            send(numbered_datagram(11.9, 120.0, -1));
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ASSERT_TRUE(wait_for_text(folder_->run_log(), "UpdVNE", 10.0));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        std::lock_guard lock(mutex_);
        forwarded_.clear();
    }

    // The simulator's times (hours) of the datagrams decoded since the log had `from` bytes.
    std::vector<double> decoded_times(std::size_t from) const {
        const std::string log = read_file(folder_->run_log());
        std::vector<double> times;
        const std::string key = "temps, tcalc ";
        for (std::size_t at = log.find(key, from); at != std::string::npos;
             at = log.find(key, at + 1)) {
            char* end = nullptr;
            std::strtod(log.c_str() + at + key.size(), &end); // the wall time
            times.push_back(std::strtod(end, nullptr));
        }
        return times;
    }

    std::size_t log_size() const { return read_file(folder_->run_log()).size(); }

    // The tick pace (ms) while the usual 10 datagrams a second come for `seconds`.
    double quiet_pace(double seconds) {
        const TickMark start = tick_mark();
        for (int n = 0; n < seconds * 10; ++n) {
            send(numbered_datagram(12.1, 120.0, -1));
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return pace_ms(start, tick_mark());
    }

    std::vector<long> forwarded() {
        std::lock_guard lock(mutex_);
        return forwarded_;
    }

    TickMark tick_mark() const {
        return {Clock::now(),
                last_number_after(read_file(folder_->run_log()), "Timer : count, time, closing ")};
    }

    static double pace_ms(const TickMark& a, const TickMark& b) {
        return std::chrono::duration<double, std::milli>(b.at - a.at).count() / (b.count - a.count);
    }

    std::string display_;
    std::unique_ptr<ProgramFolder> folder_;
    std::unique_ptr<ProgramRun> run_;
    SocketHandle sender_ = kNoSocket;
    SocketHandle listener_ = kNoSocket;
    Ipv4Endpoint target_;
    int forward_port_ = 0;
    std::thread listen_thread_;
    std::atomic<bool> stop_listening_{false};
    std::mutex mutex_;
    std::vector<long> forwarded_;
};

TEST_F(Flood, TheProgramKeepsItsPaceAndDecodesTheNewestDatagram) {
    const char* chosen = std::getenv("KALVEO_FLOOD_SECONDS");
    const double flood_seconds = chosen ? std::atof(chosen) : 3.0;

    const char* steady_chosen = std::getenv("KALVEO_STEADY_SECONDS");
    const double steady_seconds = steady_chosen ? std::atof(steady_chosen) : 2.0;

    ASSERT_NO_FATAL_FAILURE(prepare_folder());
    ASSERT_NO_FATAL_FAILURE(start_program());
    ASSERT_NO_FATAL_FAILURE(start_flight());

    // The simulator's highest rate, 1000 a second: every datagram forwarded, in order.
    const int steady = static_cast<int>(steady_seconds * 1000);
    const auto start = Clock::now();
    for (int n = 0; n < steady; ++n) {
        std::this_thread::sleep_until(start + std::chrono::microseconds(1000 * n));
        send(numbered_datagram(12.0 + n / 3600000.0, 120.0, n));
    }
    const double steady_took = seconds_since(start);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    {
        std::lock_guard lock(mutex_);
        std::printf("steady: %d datagrams at 1000/s over %.1f s, %zu forwarded and received\n",
                    steady, steady_took, forwarded_.size());
        ASSERT_EQ(forwarded_.size(), static_cast<std::size_t>(steady));
        for (int n = 0; n < steady; ++n)
            ASSERT_EQ(forwarded_[n], n) << "out of order";
        forwarded_.clear();
    }

    // The pace without a flood, at the simulator's usual 10 a second.
    const TickMark quiet_start = tick_mark();
    for (int n = 0; n < 20; ++n) {
        send(numbered_datagram(12.1, 120.0, -1));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    const TickMark quiet_end = tick_mark();
    const long rss_before = resident_kb(run_->pid());
    const long drops_before = kernel_drops(folder_->port());

    // The flood: as fast as one sender can go.
    const TickMark flood_start = tick_mark();
    long sent = 0;
    const auto flood_begin = Clock::now();
    while (seconds_since(flood_begin) < flood_seconds) {
        for (int i = 0; i < 100; ++i, ++sent)
            send(numbered_datagram(12.2, 150.0, sent));
    }
    const TickMark flood_end = tick_mark();
    const long rss_after = resident_kb(run_->pid());
    const long dropped = kernel_drops(folder_->port()) - drops_before;

    // The newest datagram is the one decoded: the last one carries another time.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    send(numbered_datagram(13.5, 150.0, -2));
    EXPECT_TRUE(wait_for_text(folder_->run_log(), "temps, tcalc", 2.0));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const std::string log = read_file(folder_->run_log());
    const std::size_t last = log.rfind("temps, tcalc");
    ASSERT_NE(last, std::string::npos);
    EXPECT_NE(log.find("13.500000", last), std::string::npos) << log.substr(last, 80);

    const double quiet = pace_ms(quiet_start, quiet_end);
    const double flooded = pace_ms(flood_start, flood_end);
    const double rate = sent / flood_seconds;
    std::size_t forwarded_in_flood = 0;
    {
        std::lock_guard lock(mutex_);
        forwarded_in_flood = forwarded_.size();
    }
    std::printf("flood: %.0f datagrams/s for %.1f s (%ld sent), %zu forwarded and received, "
                "kernel dropped %ld at the program's port; tick %.1f ms quiet, %.1f ms flooded; "
                "memory %ld kB before, %ld kB after\n",
                rate, flood_seconds, sent, forwarded_in_flood, dropped, quiet, flooded, rss_before,
                rss_after);
    RecordProperty("datagrams_per_second", static_cast<int>(rate));
    RecordProperty("kernel_dropped", static_cast<int>(dropped));
    RecordProperty("tick_ms_flooded", static_cast<int>(flooded * 10)); // tenths of ms
    RecordProperty("rss_growth_kb", static_cast<int>(rss_after - rss_before));

    EXPECT_GT(rate, 10000.0) << "the flood was too thin to prove anything";
    EXPECT_LE(flooded, quiet * 1.3 + 3.0) << "the timer lost its pace under the flood";
    EXPECT_LE(rss_after - rss_before, 8 * 1024) << "memory grew under the flood";
    EXPECT_TRUE(run_->running());
}

TEST_F(Flood, ASenderThatVanishesAndComesBackFromANewPortIsHeardAgain) {
    ASSERT_NO_FATAL_FAILURE(prepare_folder());
    ASSERT_NO_FATAL_FAILURE(start_program());
    ASSERT_NO_FATAL_FAILURE(start_flight());

    // The simulator sends at its usual rate, stops for three seconds (its socket closed), and
    // sends again from a new socket, so from another source port.
    auto send_second = [this](long first, double time_h) {
        for (long n = first; n < first + 50; ++n) {
            send(numbered_datagram(time_h, 120.0, n));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    };
    send_second(0, 12.3);
    const int first_port = socket_local_endpoint(sender_)->port;
    socket_close(sender_);
    const TickMark silent_start = tick_mark();
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const TickMark silent_end = tick_mark();
    sender_ = udp_socket_open();
    const std::size_t from = log_size();
    send_second(50, 12.4);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    EXPECT_NE(socket_local_endpoint(sender_)->port, first_port);
    EXPECT_GT(silent_end.count - silent_start.count, 60) << "the timer stopped in the silence";
    const std::vector<long> got = forwarded();
    ASSERT_EQ(got.size(), 100u) << "not every datagram was forwarded";
    for (long n = 0; n < 100; ++n)
        EXPECT_EQ(got[n], n);
    const std::vector<double> times = decoded_times(from);
    ASSERT_FALSE(times.empty()) << "nothing decoded after the sender came back";
    EXPECT_NEAR(times.back(), 12.4, 1e-6);
    EXPECT_TRUE(run_->running());
}

TEST_F(Flood, SeveralSendersAtOnceAreDecodedWholeAndThePaceHolds) {
    ASSERT_NO_FATAL_FAILURE(prepare_folder());
    ASSERT_NO_FATAL_FAILURE(start_program());
    ASSERT_NO_FATAL_FAILURE(start_flight());
    const double quiet = quiet_pace(1.0);
    {
        std::lock_guard lock(mutex_);
        forwarded_.clear();
    }

    // Three senders, each from its own socket with its own time and speed, 5000 a second
    // each for two seconds; a sender's number is in the millions of its sequence numbers.
    constexpr int kSenders = 3;
    constexpr double kTimes[kSenders] = {14.1, 14.2, 14.3};
    const std::size_t from = log_size();
    const TickMark start = tick_mark();
    std::vector<std::thread> senders;
    for (int k = 0; k < kSenders; ++k) {
        senders.emplace_back([this, k, &kTimes] {
            const SocketHandle own = udp_socket_open();
            const auto begin = Clock::now();
            for (long n = 0; n < 10000; n += 10) {
                std::this_thread::sleep_until(begin + std::chrono::microseconds(200 * n));
                for (long i = n; i < n + 10; ++i)
                    socket_send_to(own,
                                   numbered_datagram(kTimes[k], 100.0 + 20 * k, 1000000L * k + i),
                                   target_);
            }
            socket_close(own);
        });
    }
    for (std::thread& sender : senders)
        sender.join();
    const TickMark end = tick_mark();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    const std::vector<double> times = decoded_times(from);
    ASSERT_GT(times.size(), 20u);
    for (const double time : times) {
        const bool sent = std::abs(time - kTimes[0]) < 1e-6 || std::abs(time - kTimes[1]) < 1e-6 ||
                          std::abs(time - kTimes[2]) < 1e-6;
        EXPECT_TRUE(sent) << "decoded a time nobody sent: " << time;
    }
    // What was forwarded comes in each sender's order.
    long last[kSenders] = {-1, -1, -1};
    std::size_t forwarded_count = 0;
    for (const long number : forwarded()) {
        const int k = static_cast<int>(number / 1000000L);
        ASSERT_TRUE(k >= 0 && k < kSenders) << number;
        EXPECT_GT(number % 1000000L, last[k]) << "sender " << k << " out of order";
        last[k] = number % 1000000L;
        ++forwarded_count;
    }
    const double pace = pace_ms(start, end);
    std::printf("several senders: %d x 5000/s for 2 s, %zu decoded, %zu forwarded; tick %.1f ms "
                "quiet, %.1f ms with the senders\n",
                kSenders, times.size(), forwarded_count, quiet, pace);
    EXPECT_LE(pace, quiet * 1.3 + 3.0) << "the timer lost its pace";
    EXPECT_TRUE(run_->running());
}

TEST_F(Flood, AFloodWhileTheProgramStartsIsSurvived) {
    ASSERT_NO_FATAL_FAILURE(prepare_folder());
    // Datagrams pour in before the program has its port, and on while it starts.
    std::atomic<bool> flooding{true};
    std::atomic<long> sent{0};
    std::thread flood([this, &flooding, &sent] {
        while (flooding) {
            for (int i = 0; i < 100; ++i)
                send(numbered_datagram(12.5, 150.0, sent++));
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const auto launched = Clock::now();
    run_ = folder_->start({"-ha", "-d"}, display_);
    const bool started = run_->started();
    const bool ticked = started && wait_for_text(folder_->stdout_log(), "ByteReceived", 20.0);
    const double first_tick = seconds_since(launched);
    const bool flying = ticked && wait_for_text(folder_->run_log(), "UpdVNE", 10.0);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    flooding = false;
    flood.join();
    ASSERT_TRUE(ticked) << read_file(folder_->early_output());
    ASSERT_TRUE(flying) << "the flight did not start under the flood";

    // Afterwards the newest datagram is the one decoded.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::size_t from = log_size();
    send(numbered_datagram(15.5, 150.0, -3));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const std::vector<double> times = decoded_times(from);
    ASSERT_FALSE(times.empty());
    EXPECT_NEAR(times.back(), 15.5, 1e-6);
    std::printf("start-up flood: %ld datagrams sent, first tick %.2f s after the start\n",
                sent.load(), first_tick);
    EXPECT_TRUE(run_->running());
}

} // namespace
} // namespace kalveo::testing
