#include "debrief/flight_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <istream>
#include <sstream>

namespace kalveo::debrief {

namespace {

constexpr std::size_t kFields = 15;
constexpr std::size_t kLongestLine = 4096;
constexpr std::size_t kLongestText = 200;
constexpr long long kLargestChange = 1000000000000LL;

// Whole-number steps of each sample field, in the order they are written.
constexpr std::array<double, kFields> kSteps{10, 10, 10, 10, 10, 10,  100, 100,
                                             1,  1,  1,  1,  1,  100, 100};

std::array<long long, kFields> whole_numbers(const KeptSample& s) {
    const std::array<double, kFields> values{s.t,
                                             s.ias,
                                             s.tas,
                                             s.va1,
                                             s.vne,
                                             s.altitude,
                                             s.vario,
                                             s.netto,
                                             s.bank,
                                             double(s.flap_set),
                                             double(s.flap_advised),
                                             double(s.alarm_level),
                                             s.circling ? 1.0 : 0.0,
                                             s.netto_average,
                                             s.climb_average};
    std::array<long long, kFields> out{};
    for (std::size_t i = 0; i < kFields; ++i) {
        const double v = std::clamp(values[i] * kSteps[i], -1e11, 1e11);
        out[i] = std::isfinite(v) ? std::llround(v) : 0;
    }
    return out;
}

KeptSample sample_of(const std::array<long long, kFields>& n) {
    auto at = [&](std::size_t i) { return static_cast<double>(n[i]) / kSteps[i]; };
    KeptSample s;
    s.t = at(0);
    s.ias = at(1);
    s.tas = at(2);
    s.va1 = at(3);
    s.vne = at(4);
    s.altitude = at(5);
    s.vario = at(6);
    s.netto = at(7);
    s.bank = at(8);
    s.flap_set = static_cast<int>(std::clamp(n[9], -1000LL, 1000LL));
    s.flap_advised = static_cast<int>(std::clamp(n[10], -1000LL, 1000LL));
    s.alarm_level = static_cast<int>(std::clamp(n[11], -1LL, 3LL));
    s.circling = n[12] != 0;
    s.netto_average = at(13);
    s.climb_average = at(14);
    return s;
}

constexpr std::array<const char*, 5> kKindNames{"alarm", "flap", "key", "feedback", "polar"};

unsigned add_to_checksum(unsigned sum, const std::string& line) {
    for (const char c : line)
        sum = (sum ^ static_cast<unsigned char>(c)) * 16777619u;
    return (sum ^ '\n') * 16777619u;
}

std::string one_line(std::string text) {
    if (text.size() > kLongestText) text.resize(kLongestText);
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

std::string number_text(double v, const char* format) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, format, std::isfinite(v) ? v : 0.0);
    return buffer;
}

bool whole(const char* text, const char* end, long long& out) {
    if (text == end) {
        out = 0;
        return true;
    }
    char* stop = nullptr;
    out = std::strtoll(text, &stop, 10);
    return stop == end && out > -kLargestChange && out < kLargestChange;
}

bool real(std::istringstream& in, double& out) {
    std::string word;
    if (!(in >> word)) return false;
    char* stop = nullptr;
    out = std::strtod(word.c_str(), &stop);
    return *stop == '\0' && std::isfinite(out) && std::abs(out) < 1e9;
}

// What one piece holds until its end line shows it whole.
struct Piece {
    KeptFlight parts;
    std::array<long long, kFields> previous{};
    int lines = 0;
    unsigned checksum = 2166136261u;
    bool damaged = false;
    double first_t = -1.0;
};

bool read_sample(const std::string& line, Piece& p) {
    std::array<long long, kFields> n = p.previous;
    std::size_t field = 0;
    const char* text = line.c_str();
    const char* const end = text + line.size();
    while (true) {
        if (field >= kFields) return false;
        const char* comma = std::find(text, end, ',');
        long long change = 0;
        if (!whole(text, comma, change)) return false;
        n[field] += change;
        if (std::llabs(n[field]) > kLargestChange) return false;
        ++field;
        if (comma == end) break;
        text = comma + 1;
    }
    p.previous = n;
    p.parts.samples.push_back(sample_of(n));
    if (p.first_t < 0) p.first_t = p.parts.samples.back().t;
    return true;
}

bool read_event(const std::string& line, Piece& p) {
    std::istringstream in(line.substr(1));
    in.imbue(std::locale::classic());
    KeptEvent e;
    std::string kind;
    double level = 0;
    if (!real(in, e.t) || !(in >> kind) || !real(in, level) || !real(in, e.a) || !real(in, e.b))
        return false;
    const auto found = std::find(kKindNames.begin(), kKindNames.end(), kind);
    if (found == kKindNames.end()) return false;
    e.kind = static_cast<EventKind>(found - kKindNames.begin());
    e.level = static_cast<int>(std::clamp(level, -1000.0, 1000.0));
    std::getline(in, e.text);
    if (!e.text.empty() && e.text.front() == ' ') e.text.erase(0, 1);
    e.text = one_line(e.text);
    if (p.first_t < 0) p.first_t = e.t;
    p.parts.events.push_back(std::move(e));
    return true;
}

std::vector<std::string> split(const std::string& text, char by) {
    std::vector<std::string> out;
    std::string item;
    std::istringstream in(text);
    while (std::getline(in, item, by))
        out.push_back(item);
    return out;
}

void read_header(const std::string& line, FlightHeader& h) {
    const std::size_t blank = line.find(' ', 2);
    const std::string name = line.substr(2, blank == std::string::npos ? 0 : blank - 2);
    const std::string value = blank == std::string::npos ? "" : line.substr(blank + 1);
    if (name == "glider") h.glider = one_line(value);
    if (name == "started") h.started = one_line(value);
    if (name == "unit") h.speed_unit = std::clamp(std::atoi(value.c_str()), 0, 3);
    if (name == "vario_knots") h.vario_knots = value == "1";
    if (name == "lang") h.language = value == "FR" || value == "DE" ? value : "EN";
    if (name == "polar") h.polar_mode = value == "1";
    if (name == "flaps") h.flaps = split(value, '|');
    if (name == "reference") {
        h.reference_polar.clear();
        for (const std::string& pair : split(value, ' ')) {
            double v = 0, s = 0;
            if (std::sscanf(pair.c_str(), "%lf:%lf", &v, &s) == 2 && std::isfinite(v) &&
                std::isfinite(s))
                h.reference_polar.emplace_back(v, s);
        }
    }
}

bool read_piece_line(const std::string& line, Piece& p, FlightHeader& header) {
    if (line.empty()) return false;
    const char c = line.front();
    if (c == '@') return read_event(line, p);
    if (c == 'H' && line.size() > 2 && line[1] == ' ') {
        read_header(line, header);
        return true;
    }
    if ((c >= '0' && c <= '9') || c == '-' || c == ',') return read_sample(line, p);
    return false;
}

bool short_line(std::istream& in, std::string& line, bool& whole_line) {
    line.clear();
    whole_line = false;
    char c = 0;
    while (in.get(c)) {
        if (c == '\n') {
            whole_line = true;
            return true;
        }
        if (line.size() < kLongestLine) line += c;
    }
    return !line.empty();
}

std::string seconds_text(double t) {
    return number_text(t, "%.0f") + " s";
}

} // namespace

void PieceWriter::line(const std::string& text) {
    if (lines_ == 0) checksum_ = 2166136261u;
    text_ += text;
    text_ += '\n';
    checksum_ = add_to_checksum(checksum_, text);
    ++lines_;
}

void PieceWriter::header(const FlightHeader& h) {
    line("H glider " + one_line(h.glider));
    line("H started " + one_line(h.started));
    line("H unit " + std::to_string(h.speed_unit));
    line(std::string("H vario_knots ") + (h.vario_knots ? "1" : "0"));
    line("H lang " + one_line(h.language));
    line(std::string("H polar ") + (h.polar_mode ? "1" : "0"));
    std::string flaps;
    for (const std::string& f : h.flaps)
        flaps += (flaps.empty() ? "" : "|") + one_line(f);
    line("H flaps " + flaps);
    std::string polar;
    for (const auto& [v, s] : h.reference_polar)
        polar += (polar.empty() ? "" : " ") + number_text(v, "%.3f") + ":" + number_text(s, "%.3f");
    line("H reference " + polar);
}

void PieceWriter::sample(const KeptSample& s) {
    const std::array<long long, kFields> n = whole_numbers(s);
    std::string text;
    std::size_t written = 0;
    for (std::size_t i = 0; i < kFields; ++i) {
        const long long change = n[i] - previous_[i];
        if (change == 0 && i > 0) continue;
        text.append(i - written, ',');
        text += std::to_string(change);
        written = i;
    }
    previous_ = n;
    line(text);
}

void PieceWriter::event(const KeptEvent& e) {
    line("@" + number_text(e.t, "%.2f") + " " + kKindNames[static_cast<std::size_t>(e.kind)] + " " +
         std::to_string(e.level) + " " + number_text(e.a, "%.3f") + " " + number_text(e.b, "%.3f") +
         " " + one_line(e.text));
}

std::string PieceWriter::close_piece() {
    std::string out = std::move(text_);
    char end[64];
    std::snprintf(end, sizeof end, "= %d %08x\n", lines_, checksum_);
    out += end;
    text_.clear();
    lines_ = 0;
    previous_ = {};
    return out;
}

KeptFlight read_flight(std::istream& in) {
    KeptFlight flight;
    std::string line;
    bool whole_line = false;
    if (!short_line(in, line, whole_line) ||
        (line != kFlightFileFirstLine && line != std::string(kFlightFileFirstLine) + "\r")) {
        flight.problem = "not a Kalveo flight file (its first line is not \"" +
                         std::string(kFlightFileFirstLine) + "\")";
        return flight;
    }
    Piece piece;
    FlightHeader header = flight.header;
    int left_out = 0;
    std::string first_problem;
    auto note = [&](const std::string& what) {
        if (first_problem.empty()) first_problem = what;
    };
    while (short_line(in, line, whole_line)) {
        if (!whole_line) break; // a last line cut short belongs to an unfinished piece
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with("= ")) {
            int count = -1;
            unsigned sum = 0;
            const bool read = std::sscanf(line.c_str() + 2, "%d %x", &count, &sum) == 2;
            if (!read || count != piece.lines || sum != piece.checksum || piece.damaged) {
                note("a piece from " + seconds_text(std::max(piece.first_t, 0.0)) +
                     " on is damaged");
                left_out += piece.lines;
            } else {
                flight.header = header;
                auto& s = piece.parts.samples;
                auto& e = piece.parts.events;
                flight.samples.insert(flight.samples.end(), s.begin(), s.end());
                flight.events.insert(flight.events.end(), e.begin(), e.end());
            }
            piece = Piece{};
            header = flight.header;
            continue;
        }
        piece.checksum = add_to_checksum(piece.checksum, line);
        ++piece.lines;
        if (!piece.damaged && !read_piece_line(line, piece, header)) piece.damaged = true;
    }
    if (piece.lines > 0 || !line.empty()) {
        note("the last piece" +
             (piece.first_t >= 0 ? ", from " + seconds_text(piece.first_t) + " on,"
                                 : std::string()) +
             " is cut short (the program ended before writing it whole)");
        left_out += piece.lines + (line.empty() ? 0 : 1);
    }
    if (!first_problem.empty())
        flight.problem = first_problem + "; " + std::to_string(left_out) + " line" +
                         (left_out == 1 ? "" : "s") + " left out";
    return flight;
}

KeptFlight read_flight(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        KeptFlight f;
        f.problem = "cannot open " + file.string();
        return f;
    }
    return read_flight(in);
}

} // namespace kalveo::debrief
