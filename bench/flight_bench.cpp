// Cost of what runs for every datagram: reading the simulator's full datagram (all of its keys,
// not only the ones we use), and the whole per-packet cycle on a flight at the simulator's
// rate, with the display and sound calls connected to functions that only take the values.
#include "debrief/cycle_feed.h"
#include "flight/cycle.h"
#include "flight/datagram.h"
#include "flight/records.h"
#include "glider/records.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace kalveo;

std::string sample_datagram() {
    std::ifstream in(KALVEO_SAMPLE_DATAGRAM, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The sample datagram with the values that change in flight replaced, keys kept in order.
std::string datagram_at(const std::string& sample, double hours, double ias, double vz,
                        double bank) {
    std::string out;
    std::size_t begin = 0;
    while (begin < sample.size()) {
        std::size_t end = sample.find('\n', begin);
        if (end == std::string::npos) end = sample.size();
        const std::string line = sample.substr(begin, end - begin);
        const std::string key = line.substr(0, line.find('='));
        char value[64];
        if (key == "time")
            std::snprintf(value, sizeof value, "time=%.7f", hours);
        else if (key == "airspeed")
            std::snprintf(value, sizeof value, "airspeed=%.3f", ias);
        else if (key == "vz")
            std::snprintf(value, sizeof value, "vz=%.3f", vz);
        else if (key == "bank")
            std::snprintf(value, sizeof value, "bank=%.5f", bank);
        else
            std::snprintf(value, sizeof value, "%s", line.c_str());
        out += value;
        out += '\n';
        begin = end + 1;
    }
    return out;
}

// A glide speeding up and slowing down through the alarm speeds, at 50 datagrams a second.
std::vector<std::string> flight(std::size_t count) {
    const std::string sample = sample_datagram();
    std::vector<std::string> out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) * 0.02;
        const double ias = 45.0 + 25.0 * std::sin(t / 20.0);
        out.push_back(datagram_at(sample, 12.0 + t / 3600.0, ias, -1.0 - 0.02 * ias,
                                  0.3 * std::sin(t / 7.0)));
    }
    return out;
}

FlightOutputs outputs_taking_values(double& clock) {
    FlightOutputs out;
    out.play_alarm = [](int level, double vol) { benchmark::DoNotOptimize(level + vol); };
    out.play_flap_call = [](FlapCall call, double vol) {
        benchmark::DoNotOptimize(static_cast<int>(call) + vol);
    };
    out.upd_vne = [](const FlightLayout& layout, std::string_view flap, std::string_view unit) {
        benchmark::DoNotOptimize(layout);
        benchmark::DoNotOptimize(flap.size() + unit.size());
        return 0;
    };
    out.upd_flp = [](std::string_view flap, int mflap) {
        benchmark::DoNotOptimize(flap.size() + static_cast<std::size_t>(mflap));
    };
    out.upd_ang = [](std::string_view tim, std::string_view, std::string_view,
                     const InstrumentReading& reading, const SpeedTrace&, int, int,
                     const PolarTable&) {
        benchmark::DoNotOptimize(tim.size());
        benchmark::DoNotOptimize(reading);
    };
    out.sound_lengths.alarm.fill(0.3);
    out.sound_lengths.flap.fill(1.0);
    out.counter_seconds = [&clock] { return clock; };
    return out;
}

void BM_DecodeDatagram(benchmark::State& state) {
    const std::string datagram = sample_datagram();
    for (auto _ : state)
        benchmark::DoNotOptimize(decode_datagram(datagram));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * datagram.size()));
}
BENCHMARK(BM_DecodeDatagram);

// The cycle's log lines of a flight's first seconds go to a scratch folder's log, not to the
// folder the benchmark was started from.
class ScratchFolder {
  public:
    ScratchFolder()
        : folder_(std::filesystem::temp_directory_path() /
                  ("kalveo-bench-flight-" + std::to_string(::getpid()))),
          old_(std::filesystem::current_path()) {
        std::filesystem::create_directories(folder_);
        std::filesystem::current_path(folder_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::current_path(old_, ec);
        std::filesystem::remove_all(folder_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

  private:
    std::filesystem::path folder_;
    std::filesystem::path old_;
};

// The cycle alone (kept = false), or with the flight kept as the program keeps it: every
// datagram's values offered to the keeper, a fifth of a second of them kept, the flight file
// appended every half minute.
void run_cycle(benchmark::State& state, bool kept) {
    const ScratchFolder scratch;
    const std::vector<std::string> datagrams = flight(15000); // five minutes of flight
    std::size_t bytes = 0;
    double clock = 100.0;
    FlightOutputs out = outputs_taking_values(clock);
    const auto set_up = [](FlightFacts& flight, FlightRecords& f, const Settings&) {
        f.my_tas_0.vne = 270.0 / 3.6;
        flight.glider.masses.rmass = 400.0;
        flight.glider.masses.mmass = 450.0;
    };
    auto cycle = std::make_unique<FlightCycle>(out, set_up);
    debrief::FlightHeader header;
    header.glider = "Bench";
    auto keeper = std::make_unique<debrief::FlightKeeper>("Flights", header);
    debrief::CycleFeed feed;
    std::size_t i = 0;
    for (auto _ : state) {
        if (i == datagrams.size()) { // a new flight: set up outside the measured time
            state.PauseTiming();
            cycle = std::make_unique<FlightCycle>(out, set_up);
            keeper.reset();
            keeper = std::make_unique<debrief::FlightKeeper>("Flights", header);
            feed = {};
            i = 0;
            state.ResumeTiming();
        }
        const std::string& d = datagrams[i++];
        clock += 0.02;
        benchmark::DoNotOptimize(cycle->my_tas(d));
        if (kept) feed.after_packet(*cycle, *keeper);
        bytes += d.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void BM_PerPacketCycle(benchmark::State& state) {
    run_cycle(state, false);
}
BENCHMARK(BM_PerPacketCycle);

void BM_PerPacketCycleKept(benchmark::State& state) {
    run_cycle(state, true);
}
BENCHMARK(BM_PerPacketCycleKept);

} // namespace
