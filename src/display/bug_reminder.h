// display/bug_reminder: when the insect picture reminds the pilot to wipe the wings.
#pragma once

#include "display/records.h"

namespace kalveo {

/// Seconds after a wipe before the reminder may come, and how long it lasts.
inline constexpr double kBugWipeInterval = 300.0;
inline constexpr double kBugWarningLength = 60.0;

/// Whether the insect picture shows at `now` (s): bug wipers fitted, more thermal turns than
/// MinThTurns and five minutes since the last wipe, within a minute of the warning's start
/// (BW_WrnTime, 0 while not started), and only in blink phase 1.
[[nodiscard]] inline bool bug_reminder_shown(const DisplayStateRecord& s, double now) {
    if (s.BugWipers == 0 || !(s.ThTurns > s.MinThTurns)) return false;
    if (now - s.BW_Time <= kBugWipeInterval) return false;
    if (s.BW_WrnTime != 0.0 && now - s.BW_WrnTime > kBugWarningLength) return false;
    return s.blink == 1;
}

} // namespace kalveo
