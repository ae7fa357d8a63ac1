// flight/report: formatted lines for the log and the console trace.
#pragma once

namespace kalveo {

/// Formats like printf and writes the line to standard output (the trace file).
void trace_line(const char* format, ...) __attribute__((format(printf, 1, 2)));

/// Nearest integer of a value headed for an integer display field; a value that is
/// not a number shows 0 and huge values stop at +-1e9.
[[nodiscard]] int display_round(double value);

} // namespace kalveo
