// flight/angles: bringing angles into a range.
#pragma once

namespace kalveo {

/// The angle `aa` (degrees) brought into amin..amin + 360 by whole turns; both
/// ends belong to the range. A value that is not finite comes back unchanged.
[[nodiscard]] double modang(double aa, double amin);

/// An angle difference (rad) brought into -pi..pi.
[[nodiscard]] double wrap_pi(double angle);

} // namespace kalveo
