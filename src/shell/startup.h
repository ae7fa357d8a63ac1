// shell/startup: the program entry: built-in defaults, settings, simulator
// discovery, socket and sounds, then the hand-over to the event loop.
#pragma once

#include <string>
#include <vector>

namespace kalveo {

/// Runs the program with its command line (arguments[0] is the program path).
/// Returns the process exit status.
int kalveo(const std::vector<std::string>& arguments);

} // namespace kalveo
