// flight/display_round: the whole numbers the display is handed.
#pragma once

namespace kalveo {

/// Nearest integer of a value headed for an integer display field; a value that is
/// not a number shows 0 and huge values stop at +-1e9.
[[nodiscard]] int display_round(double value);

} // namespace kalveo
