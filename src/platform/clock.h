// platform/clock: sleeping and the local wall clock.
#pragma once

#include <ctime>

namespace kalveo {

/// Suspends the calling thread for the given time (ms).
void sleep_ms(int milliseconds);

/// Broken-down local time of now.
[[nodiscard]] std::tm local_time_now();

} // namespace kalveo
