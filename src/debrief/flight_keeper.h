// debrief/flight_keeper: keeps a flight while it runs: at most five samples a second and every
// event, appended to the flight file in pieces at least every half minute, so that a crash
// loses less than a minute of it.
#pragma once

#include "debrief/flight_file.h"
#include "debrief/kept_flight.h"

#include <filesystem>
#include <string>

namespace kalveo::debrief {

/// Shortest time between two kept samples (s).
inline constexpr double kSampleSpacing = 0.2;
/// Longest time a sample waits before it goes to the file (s).
inline constexpr double kPieceLength = 30.0;

/// The file name of a flight: its start and glider, "2026-12-08_140311_Diana2.kflight".
[[nodiscard]] std::string flight_file_name(const FlightHeader& header);

class FlightKeeper {
  public:
    /// Starts a flight file in `folder` (made when missing).
    FlightKeeper(const std::filesystem::path& folder, const FlightHeader& header);
    ~FlightKeeper() { finish(); }
    FlightKeeper(const FlightKeeper&) = delete;
    FlightKeeper& operator=(const FlightKeeper&) = delete;

    /// Offers the cycle's values of a packet; one is kept every kSampleSpacing seconds of
    /// flight. A change of the alarm level becomes an event at once, kept or not.
    void take_sample(const KeptSample& sample);
    void take_event(const KeptEvent& event);
    /// Writes what waits; the file stays open for more.
    void finish();

    [[nodiscard]] const std::filesystem::path& file() const { return file_; }
    /// Empty while every write worked; else the first failure.
    [[nodiscard]] const std::string& problem() const { return problem_; }

  private:
    void write_piece_if_due(double t);
    void append(const std::string& bytes);

    std::filesystem::path file_;
    PieceWriter piece_;
    double piece_start_ = -1.0;
    double last_kept_ = -1e9;
    int last_level_ = -1;
    std::string problem_;
};

} // namespace kalveo::debrief
