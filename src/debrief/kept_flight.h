// debrief: every flight kept in a small file (what the cycle worked out, a few times a second,
// and what happened), read back whatever its bytes, and shown afterwards as one page.
//
// debrief/kept_flight: the values a flight file holds.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kalveo::debrief {

/// What the cycle worked out at one moment. Speeds in m/s, heights in m, climb rates in m/s.
struct KeptSample {
    double t = 0.0;             ///< seconds since the flight's first datagram (simulator time)
    double ias = 0.0;           ///< indicated airspeed (m/s)
    double tas = 0.0;           ///< true airspeed (m/s)
    double va1 = 0.0;           ///< start of the VNE alarm, true airspeed (m/s)
    double vne = 0.0;           ///< never-exceed speed, true airspeed (m/s)
    double altitude = 0.0;      ///< (m)
    double vario = 0.0;         ///< vertical speed (m/s)
    double netto = 0.0;         ///< netto vario (m/s)
    double bank = 0.0;          ///< (degrees)
    int flap_set = 0;           ///< flap position set, 1 the slowest; 0 for a glider without flaps
    int flap_advised = 0;       ///< flap position advised; 0 for a glider without flaps
    int alarm_level = -1;       ///< VNE alarm level 0..3 sounding at this speed, -1 none
    bool circling = false;      ///< turning in a thermal
    double netto_average = 0.0; ///< netto average shown (m/s)
    double climb_average = 0.0; ///< climb average shown (m/s)
};

enum class EventKind {
    alarm,       ///< the alarm level changed to `level` (-1: the alarm stopped)
    flap_call,   ///< a flap call sounded: `text` up, down or landing; `level` the advised position
    key,         ///< a hotkey: `text` the key's action and what it did
    feedback,    ///< a key's feedback sound, played with the sound of alarm level `level`
    polar_point, ///< a polar point taken: `a` airspeed (m/s), `b` sink (m/s, negative down)
};

struct KeptEvent {
    double t = 0.0; ///< seconds since the flight's first datagram
    EventKind kind = EventKind::alarm;
    int level = -1;
    double a = 0.0;
    double b = 0.0;
    std::string text; ///< one line, at most 200 characters
};

/// What is known of the flight when it starts.
struct FlightHeader {
    std::string glider;       ///< the glider's name
    std::string started;      ///< local date and time of the first datagram, "YYYY-MM-DD HH:MM:SS"
    int speed_unit = 0;       ///< display speed unit: 0 km/h, 1 kt, 2 mph, 3 kFpf
    bool vario_knots = false; ///< climb rates shown in knots (else m/s)
    std::string language = "EN";    ///< EN, FR or DE
    std::vector<std::string> flaps; ///< names of the flap positions, position 1 first
    bool polar_mode = false;
    /// The glider's reference polar: airspeed (m/s) and sink (m/s, negative down).
    std::vector<std::pair<double, double>> reference_polar;
};

struct KeptFlight {
    FlightHeader header;
    std::vector<KeptSample> samples;
    std::vector<KeptEvent> events;
    /// Empty when the whole file read; otherwise what was wrong (what read before it is kept).
    std::string problem;
};

} // namespace kalveo::debrief
