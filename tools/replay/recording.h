// replay/recording: a flight recorded from the simulator's telemetry: every datagram with the
// time it arrived, in a file a pilot can send with a bug report.
//
// The file: a first line "kalveo-recording 1", then per datagram a line "<seconds> <bytes>"
// (seconds from the first datagram, byte count) followed by the datagram's bytes as received
// and a line feed.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace kalveo::replay {

struct RecordedDatagram {
    double at_s = 0.0; ///< arrival, seconds from the first datagram
    std::string bytes;
};

/// The longest datagram a recording holds (the simulator's are far shorter).
inline constexpr std::size_t kLongestRecordedDatagram = 65535;

/// Writes the first line of a recording.
void write_recording_header(std::ostream& out);
/// Appends one datagram.
void write_recorded_datagram(std::ostream& out, const RecordedDatagram& datagram);

struct Recording {
    std::vector<RecordedDatagram> datagrams;
    /// Empty when the whole file was read; otherwise what was wrong and where (the datagrams
    /// before it are kept).
    std::string problem;
};

/// Reads a recording; any bytes give either datagrams or a problem, never more.
[[nodiscard]] Recording read_recording(std::istream& in);
[[nodiscard]] Recording read_recording(const std::filesystem::path& file);

} // namespace kalveo::replay
