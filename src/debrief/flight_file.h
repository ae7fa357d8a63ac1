// debrief/flight_file: the flight file, a text file appended to in pieces.
//
// A first line "kalveo-flight 1"; then pieces, each closed by a line "= <lines> <checksum>"
// that counts and sums the piece's lines, so that a piece cut short by a crash or damaged is
// known and left out. Inside a piece: "H <name> <value>" header lines (in the first piece),
// samples as the changes of their whole-number values from the piece's previous sample
// (comma-separated, a zero change left empty, trailing empties dropped), and events as
// "@<seconds> <kind> <level> <a> <b> <text>".
#pragma once

#include "debrief/kept_flight.h"

#include <array>
#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>

namespace kalveo::debrief {

inline constexpr const char* kFlightFileFirstLine = "kalveo-flight 1";

/// Encodes samples and events, piece by piece.
class PieceWriter {
  public:
    void header(const FlightHeader& h);
    void sample(const KeptSample& s);
    void event(const KeptEvent& e);
    /// The piece so far, closed by its end line; the writer starts a new piece.
    [[nodiscard]] std::string close_piece();
    [[nodiscard]] bool empty() const { return lines_ == 0; }

  private:
    void line(const std::string& text);
    std::string text_;
    int lines_ = 0;
    unsigned checksum_ = 0;
    std::array<long long, 15> previous_{};
};

/// Reads a flight file; any bytes give samples, events and, when something was wrong, what.
[[nodiscard]] KeptFlight read_flight(std::istream& in);
[[nodiscard]] KeptFlight read_flight(const std::filesystem::path& file);

} // namespace kalveo::debrief
