#include "flight_test_support.h"

#include "config/records.h"
#include "flight/records.h"
#include "support/test_files.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace kalveo::testing {

Recorder::Recorder() {
    outputs.play_alarm = [this](int level, double vol) {
        sounds.push_back({level, std::nullopt, vol, now});
    };
    outputs.play_flap_call = [this](FlapCall call, double vol) {
        sounds.push_back({-1, call, vol, now});
    };
    outputs.sound_lengths.alarm.fill(kTestSoundLength);
    outputs.sound_lengths.flap.fill(kTestSoundLength);
    outputs.upd_flp = [this](std::string_view flap, int mflap) {
        flaps.push_back({std::string(flap), mflap});
    };
    outputs.upd_vne = [this](const FlightLayout& layout, std::string_view flap,
                             std::string_view unit) {
        layouts.push_back({layout, std::string(flap), std::string(unit)});
        return 1;
    };
    outputs.upd_ang = [this](std::string_view tim, std::string_view tsktim, std::string_view clk,
                             const InstrumentReading& reading, const SpeedTrace&, int nbpol,
                             int nbfpl, const PolarTable&) {
        last = {std::string(tim), std::string(tsktim), std::string(clk), reading, nbpol, nbfpl};
        ++angle_calls;
    };
    outputs.my_beep = [this](int freq, int dur) { beeps.emplace_back(freq, dur); };
    outputs.counter_seconds = [this] { return now; };
}

Datagram::Datagram() {
    const std::string sample = read_file(env_folder("KALVEO_SAMPLES") / "datagram_at_rest.txt");
    std::size_t pos = 0;
    while (pos < sample.size()) {
        std::size_t eol = sample.find('\n', pos);
        if (eol == std::string::npos) eol = sample.size();
        std::string line = sample.substr(pos, eol - pos);
        pos = eol + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos) items_.emplace_back(line.substr(0, eq), line.substr(eq + 1));
    }
    EXPECT_EQ(items_.size(), 35u) << "the sample datagram holds 35 keys";
}

Datagram& Datagram::set(const std::string& key, double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.10g", value);
    return set_text(key, text);
}

Datagram& Datagram::set_text(const std::string& key, const std::string& value) {
    for (auto& item : items_) {
        if (item.first == key) {
            item.second = value;
            return *this;
        }
    }
    items_.emplace_back(key, value);
    return *this;
}

Datagram& Datagram::remove(const std::string& key) {
    std::erase_if(items_, [&](const auto& item) { return item.first == key; });
    return *this;
}

std::string Datagram::text(const std::string& eol) const {
    std::string out;
    for (const auto& [key, value] : items_)
        out += key + "=" + value + eol;
    return out;
}

FlightCycle::FlightSetUp set_up_with(const TestGlider& glider, const FlightPlan& plan) {
    return [glider, plan](FlightFacts& flight, FlightRecords& f, const Settings&) {
        flight.plan = plan;
        flight.glider.names.glnam = glider.name;
        f.my_tas_0.vne = glider.vne;
        flight.glider.masses.rmass = glider.rmass;
        flight.glider.masses.mmass = glider.mmass;
        flight.glider.masses.balmax = glider.balmax;
        f.flaps_0.nflap = static_cast<int>(glider.flaps.size());
        for (std::size_t i = 0; i < glider.flaps.size(); ++i) {
            f.flaps_0.vflap100[i + 1] = glider.flaps[i].first;
            f.flaps_c.cflap[i + 1] = glider.flaps[i].second;
        }
    };
}

TestFlight::TestFlight(const TestGlider& glider, const FlightPlan& plan)
    : cycle(rec.outputs, set_up_with(glider, plan)) {}

int TestFlight::send(Datagram d, double dt) {
    hours += dt / 3600.0;
    d.set("time", hours);
    return send_raw(d.text(), dt);
}

int TestFlight::send_raw(const std::string& text, double dt) {
    rec.now += dt;
    return cycle.my_tas(text);
}

} // namespace kalveo::testing
