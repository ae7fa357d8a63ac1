// flight/elapsed: milliseconds of the wall clock since a first reading.
#pragma once

#include <optional>

namespace kalveo {

/// Milliseconds between readings of a clock that counts the milliseconds of the day.
class ElapsedClock {
  public:
    /// 0 at the first reading, which sets the origin; later readings count from it,
    /// across midnight too.
    int elapsed(int ms_of_day);

  private:
    std::optional<int> origin_;
};

} // namespace kalveo
