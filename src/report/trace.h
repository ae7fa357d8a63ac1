// report/trace: the console trace, a running account of what the program does for whoever
// reads standard output (which start-up sends to StdOut.log).
#pragma once

namespace kalveo {

/// Writes to the console trace, formatted like printf (numbers in the "C" locale's form).
void trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace kalveo
