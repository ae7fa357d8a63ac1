#include "flight/outputs.h"

#include <chrono>

namespace kalveo {

namespace {

double steady_seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

FlightOutputs default_flight_outputs() {
    FlightOutputs out;
    out.counter_seconds = steady_seconds;
    return out;
}

} // namespace kalveo
