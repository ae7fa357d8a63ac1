// Cost of one event-loop tick of the telemetry link: its read on an idle
// socket, and with 1, 10 and 100 datagrams queued since the last tick.
#include "link/udp_link.h"
#include "platform/socket.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace kalveo;

// A real datagram from the simulator, or a stand-in of the same size.
std::string sample_datagram() {
    std::ifstream in(KALVEO_SAMPLE_DATAGRAM, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return text.empty() ? std::string(545, 'x') : text;
}

// The link open on a port of its own, logging into a scratch folder, and a
// socket playing the simulator.
class Link {
  public:
    Link() {
        scratch_ = fs::temp_directory_path() / ("kalveo-bench-" + std::to_string(::getpid()));
        fs::create_directories(scratch_);
        old_cwd_ = fs::current_path();
        fs::current_path(scratch_);
        sender_ = udp_socket_open();
        socket_bind(sender_, {kIpv4Loopback, 0});
        port_ = free_port();
        ok_ = link_.open(port_, 0, "") >= 0;
    }
    ~Link() {
        link_.close();
        socket_close(sender_);
        fs::current_path(old_cwd_);
        fs::remove_all(scratch_);
    }

    [[nodiscard]] bool ok() const { return ok_; }
    UdpLink& link() { return link_; }

    void send(const std::string& datagram, int count) {
        for (int i = 0; i < count; ++i)
            socket_send_to(sender_, {datagram.data(), datagram.size()},
                           {kIpv4Loopback, static_cast<std::uint16_t>(port_)});
    }

  private:
    static int free_port() {
        const SocketHandle probe = udp_socket_open();
        socket_bind(probe, {kIpv4Loopback, 0});
        const auto local = socket_local_endpoint(probe);
        socket_close(probe);
        return local ? local->port : 0;
    }

    fs::path scratch_;
    fs::path old_cwd_;
    UdpLink link_;
    SocketHandle sender_ = kNoSocket;
    int port_ = 0;
    bool ok_ = false;
};

void BM_UdpReadTick(benchmark::State& state) {
    const int queued = static_cast<int>(state.range(0));
    const std::string datagram = sample_datagram();
    Link link;
    if (!link.ok()) {
        state.SkipWithError("the link did not open");
        return;
    }
    for (int i = 0; i < 10; ++i)
        link.link().read(); // past the traced first reads
    for (auto _ : state) {
        state.PauseTiming();
        link.send(datagram, queued);
        state.ResumeTiming();
        benchmark::DoNotOptimize(link.link().read());
        benchmark::DoNotOptimize(link.link().newest().size());
        if (link.link().state().last_batch != queued) {
            state.SkipWithError("not every queued datagram was read");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * queued);
}

BENCHMARK(BM_UdpReadTick)
    ->ArgName("queued")
    ->Arg(0)
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
