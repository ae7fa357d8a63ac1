// sim/fpl_reader: the flight plan's lines, one at a time, into the records.
#pragma once

#include "sim/records.h"

#include <string_view>

namespace kalveo {

/// Longest flight-plan line looked at; the rest of a longer line is ignored.
inline constexpr std::size_t kFplLineLength = 132;

/// Turns flight-plan lines into a flight plan. Values that cannot be read,
/// zones above 16 and turnpoints above 30 are ignored: the field keeps what it
/// held. A version 3 plan makes version 3 the active one in the installation.
class FplReader {
  public:
    FplReader(FlightPlan& plan, Installation& installation, bool verbose, bool french)
        : plan_(plan), installation_(installation), verbose_(verbose), french_(french) {}

    /// Takes one line (its end of line may still be there). Returns false when
    /// the reading must stop (a line starting with "LCONFlightInfo").
    bool take(std::string_view line);

    /// Lines taken so far.
    [[nodiscard]] int lines() const { return lines_; }

  private:
    enum class Section { none, version, task, weather, plane, other };

    bool take_header(std::string_view key);
    void take_any(std::string_view key, std::string_view val);
    void take_task(std::string_view key, std::string_view val);
    void take_weather(std::string_view key, std::string_view val);
    void take_plane(std::string_view key, std::string_view val);

    FlightPlan& plan_;
    Installation& installation_;
    bool verbose_;
    bool french_;
    int lines_ = 0;
    Section section_ = Section::none;
    int zone_ = -1; ///< weather zone of the section, -1 when out of range
};

} // namespace kalveo
