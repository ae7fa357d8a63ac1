#include "flight/outputs.h"

#include "platform/clock.h"

#include <chrono>

namespace kalveo {

namespace {

double steady_seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

int local_ms_of_day() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::tm local = local_time_now();
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 1000 + static_cast<int>(ms);
}

} // namespace

FlightOutputs default_flight_outputs() {
    FlightOutputs out;
    out.counter_seconds = steady_seconds;
    out.ms_of_day = local_ms_of_day;
    return out;
}

FlightOutputs& flight_outputs() {
    static FlightOutputs outputs = default_flight_outputs();
    return outputs;
}

} // namespace kalveo
