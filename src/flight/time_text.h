// flight/time_text: hours shown as "HH:MM:SS" for the timers and the clock.
#pragma once

#include <string>

namespace kalveo {

/// A duration or time of day in hours as "HH:MM:SS" (seconds rounded, carried
/// into minutes and hours). A negative duration is one that ran past midnight
/// and gets 24 h added; more than 99 hours shows "**" for the hours.
[[nodiscard]] std::string hours_text(double hours);

} // namespace kalveo
