#include "debrief/flight_keeper.h"

#include <cctype>
#include <fstream>
#include <system_error>

namespace kalveo::debrief {

std::string flight_file_name(const FlightHeader& header) {
    std::string digits;
    for (const char c : header.started) {
        if (std::isdigit(static_cast<unsigned char>(c))) digits += c;
    }
    digits.resize(14, '0');
    const std::string start = digits.substr(0, 4) + "-" + digits.substr(4, 2) + "-" +
                              digits.substr(6, 2) + "_" + digits.substr(8, 6);
    std::string glider;
    for (const char c : header.glider) {
        const bool plain = std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
        glider += plain ? c : '_';
        if (glider.size() >= 40) break;
    }
    if (glider.empty()) glider = "glider";
    return start + "_" + glider + ".kflight";
}

FlightKeeper::FlightKeeper(const std::filesystem::path& folder, const FlightHeader& header)
    : file_(folder / flight_file_name(header)) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    // A flight started in the same second as the last one (a quick restart) gets a file of
    // its own rather than the end of the other's.
    const std::string stem = file_.stem().string();
    for (int n = 2; std::filesystem::exists(file_, ec) && n < 100; ++n)
        file_ = folder / (stem + "-" + std::to_string(n) + ".kflight");
    append(std::string(kFlightFileFirstLine) + "\n");
    piece_.header(header);
    append(piece_.close_piece());
}

void FlightKeeper::take_sample(const KeptSample& s) {
    if (s.alarm_level != last_level_) {
        take_event({s.t, EventKind::alarm, s.alarm_level, s.tas, s.vne, {}});
        last_level_ = s.alarm_level;
    }
    if (s.t < last_kept_ + kSampleSpacing - 0.005 && s.t >= last_kept_) return;
    last_kept_ = s.t;
    piece_.sample(s);
    write_piece_if_due(s.t);
}

void FlightKeeper::take_event(const KeptEvent& e) {
    piece_.event(e);
    write_piece_if_due(e.t);
}

void FlightKeeper::write_piece_if_due(double t) {
    if (piece_start_ < 0) piece_start_ = t;
    if (t - piece_start_ < kPieceLength && t >= piece_start_) return;
    finish();
}

void FlightKeeper::finish() {
    if (piece_.empty()) return;
    append(piece_.close_piece());
    piece_start_ = -1.0;
}

void FlightKeeper::append(const std::string& bytes) {
    // Opened for each piece, as the log is: a crash leaves every piece written whole.
    std::ofstream out(file_, std::ios::binary | std::ios::app);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out && problem_.empty()) problem_ = "cannot write " + file_.string();
}

} // namespace kalveo::debrief
