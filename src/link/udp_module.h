// link/udp_module: the status lines shared by the link's source files.
#pragma once

#include <string>

namespace kalveo::udp_detail {

/// A status line: standard output and the log.
void report(const std::string& line);

/// Reads up to this count also print their diagnostic lines.
inline constexpr int kTracedReads = 9;

/// A diagnostic line: standard output only.
void print_line(const std::string& line);

} // namespace kalveo::udp_detail
