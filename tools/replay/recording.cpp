#include "replay/recording.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <istream>
#include <ostream>

namespace kalveo::replay {

namespace {

constexpr const char* kHeader = "kalveo-recording 1";
constexpr std::size_t kLongestLine = 64;

// A line of at most kLongestLine characters, without its line feed; false at the end or on a
// longer line.
bool short_line(std::istream& in, std::string& line) {
    line.clear();
    char c = 0;
    while (in.get(c)) {
        if (c == '\n') return true;
        if (line.size() >= kLongestLine) return false;
        line += c;
    }
    return false;
}

bool parse_entry(const std::string& line, double& at, std::size_t& length) {
    const char* text = line.c_str();
    char* end = nullptr;
    at = std::strtod(text, &end);
    if (end == text || *end != ' ' || !std::isfinite(at) || at < 0) return false;
    const char* rest = end + 1;
    if (*rest < '0' || *rest > '9') return false;
    const unsigned long long n = std::strtoull(rest, &end, 10);
    if (*end != '\0' || n > kLongestRecordedDatagram) return false;
    length = static_cast<std::size_t>(n);
    return true;
}

} // namespace

void write_recording_header(std::ostream& out) {
    out << kHeader << '\n';
}

void write_recorded_datagram(std::ostream& out, const RecordedDatagram& d) {
    const std::size_t n = std::min(d.bytes.size(), kLongestRecordedDatagram);
    char head[64];
    std::snprintf(head, sizeof head, "%.6f %zu\n", d.at_s, n);
    out << head;
    out.write(d.bytes.data(), static_cast<std::streamsize>(n));
    out << '\n';
    out.flush();
}

Recording read_recording(std::istream& in) {
    Recording r;
    std::string line;
    if (!short_line(in, line) || (line != kHeader && line != std::string(kHeader) + "\r")) {
        r.problem =
            "not a Kalveo recording (its first line is not \"" + std::string(kHeader) + "\")";
        return r;
    }
    double last = 0.0;
    while (in.peek() != std::char_traits<char>::eof()) {
        const std::size_t index = r.datagrams.size() + 1;
        double at = 0.0;
        std::size_t length = 0;
        if (!short_line(in, line) || !parse_entry(line, at, length)) {
            r.problem = "datagram " + std::to_string(index) + ": bad time or length";
            return r;
        }
        RecordedDatagram d;
        d.at_s = std::max(at, last); // a recording never runs backwards
        d.bytes.resize(length);
        in.read(d.bytes.data(), static_cast<std::streamsize>(length));
        char end = 0;
        if (static_cast<std::size_t>(in.gcount()) != length || !in.get(end) || end != '\n') {
            r.problem = "datagram " + std::to_string(index) + ": cut short";
            return r;
        }
        last = d.at_s;
        r.datagrams.push_back(std::move(d));
    }
    return r;
}

Recording read_recording(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        Recording r;
        r.problem = "cannot open " + file.string();
        return r;
    }
    return read_recording(in);
}

} // namespace kalveo::replay
