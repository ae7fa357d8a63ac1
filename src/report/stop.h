// report/stop: the one orderly way the program ends on a fatal condition.
#pragma once

#include <functional>
#include <string_view>

namespace kalveo {

/// Ends the process: logs `reason` (when not empty), runs the registered
/// clean-up steps in reverse order of registration, flushes the standard
/// streams and exits with `exit_status`.
[[noreturn]] void stop_program(std::string_view reason, int exit_status = 1);

/// Registers a clean-up step for stop_program (closing the socket, the
/// windows, the keyboard watch). Steps run once, last registered first.
void at_stop(std::function<void()> step);

} // namespace kalveo
