#include "debrief/page.h"

#include "debrief/page_script.h"
#include "debrief/page_words.h"
#include "debrief/polar_fit.h"
#include "debrief/summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace kalveo::debrief {

namespace {

std::string read_all(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string fixed(double v, int decimals) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, std::isfinite(v) ? v : 0.0);
    std::string out = buffer;
    if (out == "-0" || out == "-0.0" || out == "-0.00") out.erase(0, 1);
    return out;
}

std::string html(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A JSON string that is safe inside a script element.
std::string json_text(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || c == '<' || c == '>' || c == '&') {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A script element must not hold "</script": a library text is cut there by the browser.
std::string safe_in_element(std::string text, std::string_view element) {
    const std::string closing = "</" + std::string(element);
    for (std::size_t at = text.find(closing); at != std::string::npos; at = text.find(closing, at))
        text.replace(at, 2, "<\\/");
    return text;
}

template <class Value> std::string json_array(const std::vector<KeptSample>& s, Value value) {
    std::string out = "[";
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i) out += ',';
        out += value(s[i]);
    }
    return out + "]";
}

std::string clock_text(double seconds) {
    const long total = std::lround(std::max(seconds, 0.0));
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60,
                  total % 60);
    return buffer;
}

class Page {
  public:
    Page(const KeptFlight& f, const ChartLibrary& lib)
        : f_(f), lib_(lib), u_(page_units(f.header.speed_unit, f.header.vario_knots)),
          sum_(summarise(f)) {}

    std::string build() {
        out_ << "<!DOCTYPE html>\n<html lang=\"" << lang_code() << "\">\n<head>\n"
             << "<meta charset=\"utf-8\">\n<title>" << html(word("title")) << " – "
             << html(f_.header.glider) << " " << html(f_.header.started) << "</title>\n<style>\n"
             << safe_in_element(lib_.style, "style") << "\n"
             << page_style() << "\n</style>\n"
             << "</head>\n<body>\n<h1>" << html(word("title")) << "</h1>\n";
        summary();
        calls_and_keys();
        charts();
        out_ << "<script id=\"flight-data\" type=\"application/json\">" << data() << "</script>\n"
             << "<script>\n"
             << safe_in_element(lib_.script, "script") << "\n</script>\n"
             << "<script>\n"
             << page_script() << "\n</script>\n</body>\n</html>\n";
        return out_.str();
    }

  private:
    std::string_view word(std::string_view key) const { return page_word(key, f_.header.language); }
    std::string lang_code() const {
        std::string code = f_.header.language;
        for (char& c : code)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return code;
    }
    std::string speed(double ms) const { return fixed(ms * u_.speed, 1); }
    std::string climb(double ms) const { return fixed(ms * u_.climb, 2); }

    // French and German write a decimal comma.
    std::string local_numbers(std::string text) const {
        if (f_.header.language != "FR" && f_.header.language != "DE") return text;
        for (std::size_t i = 1; i + 1 < text.size(); ++i) {
            const auto digit = [](char c) { return c >= '0' && c <= '9'; };
            if (text[i] == '.' && digit(text[i - 1]) && digit(text[i + 1])) text[i] = ',';
        }
        return text;
    }

    // One line of the summary; `id` and `value` let a reader take the number as it is.
    void row(std::string_view label, const std::string& shown, std::string_view id = {},
             const std::string& value = {}) {
        out_ << "<tr><th>" << html(label) << "</th><td";
        if (!id.empty()) out_ << " id=\"" << id << "\" data-value=\"" << value << "\"";
        out_ << ">" << html(id.empty() ? shown : local_numbers(shown)) << "</td></tr>\n";
    }

    // The calls the pilot heard and the keys pressed, each with what it was: a key's own
    // sound is told apart from an alarm.
    void calls_and_keys() {
        std::string items;
        for (const KeptEvent& e : f_.events) {
            std::string what;
            if (e.kind == EventKind::flap_call)
                what = std::string(word("flap_call")) + ": " + e.text +
                       (e.level > 0 ? " (" + flap_name(e.level) + ")" : "");
            else if (e.kind == EventKind::key)
                what = std::string(word("key")) + ": " + e.text;
            else if (e.kind == EventKind::feedback)
                what =
                    std::string(word("feedback")) + " " + std::to_string(e.level) + ", " + e.text;
            else
                continue;
            items += "<li>" + clock_text(e.t) + " " + html(what) + "</li>\n";
        }
        if (items.empty()) return;
        out_ << "<h2>" << html(word("calls_keys")) << "</h2>\n<ul class=\"events\">\n"
             << items << "</ul>\n";
    }

    void summary() {
        const FlightHeader& h = f_.header;
        if (!f_.problem.empty())
            out_ << "<p class=\"problem\">" << html(word("problem")) << ": " << html(f_.problem)
                 << "</p>\n";
        out_ << "<table class=\"summary\">\n";
        row(word("glider"), h.glider);
        row(word("started"), h.started);
        row(word("duration"), clock_text(sum_.duration), "duration", fixed(sum_.duration, 1));
        const std::string distance = fixed(sum_.air_distance * u_.distance, 1);
        row(word("distance"), distance + " " + u_.distance_name, "distance", distance);
        row(word("top_tas"),
            speed(sum_.top_tas) + " " + u_.speed_name + " (" + fixed(100 * sum_.top_tas_vne, 0) +
                " % " + std::string(word("of_vne")) + "), " + std::string(word("at")) + " " +
                clock_text(sum_.top_tas_at) + ", " + fixed(sum_.top_tas_altitude * u_.height, 0) +
                " " + u_.height_name,
            "top-tas", speed(sum_.top_tas));
        for (std::size_t level = 0; level < sum_.in_level.size(); ++level)
            row(std::string(word("level")) + " " + std::to_string(level),
                fixed(sum_.in_level[level], 1) + " s", "level-" + std::to_string(level),
                fixed(sum_.in_level[level], 1));
        row(word("alarms"), std::to_string(sum_.alarms), "alarms", std::to_string(sum_.alarms));
        if (sum_.flaps) {
            row(word("advice"), fixed(100 * sum_.advice_followed, 0) + " %", "advice",
                fixed(sum_.advice_followed, 3));
            std::string late;
            for (const LateChange& c : sum_.late) {
                if (!late.empty()) late += "; ";
                late += clock_text(c.advised_at) + " " + flap_name(c.position) + ", " +
                        std::string(word("late_by")) + " " + fixed(c.late, 1) + " s";
            }
            row(word("late"), late.empty() ? std::string(word("none")) : late, "late",
                std::to_string(sum_.late.size()));
        } else {
            row(word("advice"), std::string(word("no_flaps")));
        }
        row(word("thermal_climb"),
            climb(sum_.thermal_climb) + " " + u_.climb_name + " (" +
                std::to_string(sum_.thermals.size()) + " " + std::string(word("thermals")) + ")",
            "thermal-climb", climb(sum_.thermal_climb));
        row(word("glide_netto"), climb(sum_.glide_netto) + " " + u_.climb_name, "glide-netto",
            climb(sum_.glide_netto));
        if (h.polar_mode)
            row(word("polar_points"), std::to_string(sum_.polar_points), "polar-points",
                std::to_string(sum_.polar_points));
        out_ << "</table>\n";
    }

    std::string flap_name(int position) const {
        const auto& names = f_.header.flaps;
        if (position >= 1 && position <= static_cast<int>(names.size()))
            return names[static_cast<std::size_t>(position - 1)];
        return std::to_string(position);
    }

    void chart(std::string_view id, std::string_view title) {
        out_ << "<h2>" << html(title) << "</h2>\n<div class=\"chart\" id=\"" << id << "\"></div>\n";
    }

    void charts() {
        out_ << "<p class=\"hint\">" << html(word("hint")) << "</p>\n";
        chart("speed-chart", std::string(word("speed_chart")) + " (" + u_.speed_name + ")");
        if (sum_.flaps) chart("flap-chart", word("flap_chart"));
        chart("climb-chart", std::string(word("climb_chart")) + " (" + u_.height_name + ", " +
                                 u_.climb_name + ")");
        if (f_.header.polar_mode)
            chart("polar-chart", std::string(word("polar_chart")) + " (" + u_.speed_name + ", " +
                                     u_.climb_name + ")");
    }

    std::string words_json() const {
        std::string out = "{";
        for (const char* key :
             {"time", "ias", "tas", "va1", "vne", "flaps_set", "flaps_advised", "altitude", "vario",
              "circling", "reference", "measured", "fitted", "speed", "sink", "level"}) {
            if (out.size() > 1) out += ',';
            out += json_text(key) + ":" + json_text(word(key));
        }
        return out + "}";
    }

    std::string polar_json() const {
        std::vector<std::pair<double, double>> measured;
        for (const KeptEvent& e : f_.events) {
            if (e.kind == EventKind::polar_point) measured.emplace_back(e.a, e.b);
        }
        const auto pairs = [&](const std::vector<std::pair<double, double>>& points) {
            std::string out = "[";
            for (const auto& [v, s] : points) {
                if (out.size() > 1) out += ',';
                out += "[" + fixed(v * u_.speed, 2) + "," + fixed(s * u_.climb, 3) + "]";
            }
            return out + "]";
        };
        return "{\"reference\":" + pairs(f_.header.reference_polar) +
               ",\"measured\":" + pairs(measured) + ",\"fitted\":" + pairs(fitted_polar(measured)) +
               "}";
    }

    std::string data() const {
        const auto& s = f_.samples;
        std::string thermals = "[";
        for (const Thermal& t : sum_.thermals) {
            if (thermals.size() > 1) thermals += ',';
            thermals +=
                "[" + fixed(t.start, 1) + "," + fixed(t.end, 1) + "," + climb(t.climb) + "]";
        }
        thermals += "]";
        std::string flaps = "[";
        for (const std::string& name : f_.header.flaps)
            flaps += (flaps.size() > 1 ? "," : "") + json_text(name);
        flaps += "]";
        const double sp = u_.speed, cl = u_.climb, ht = u_.height;
        return "{\"t\":" + json_array(s, [](const KeptSample& k) { return fixed(k.t, 1); }) +
               ",\"ias\":" +
               json_array(s, [&](const KeptSample& k) { return fixed(k.ias * sp, 1); }) +
               ",\"tas\":" +
               json_array(s, [&](const KeptSample& k) { return fixed(k.tas * sp, 1); }) +
               ",\"va1\":" +
               json_array(s, [&](const KeptSample& k) { return fixed(k.va1 * sp, 1); }) +
               ",\"vne\":" +
               json_array(s, [&](const KeptSample& k) { return fixed(k.vne * sp, 1); }) +
               ",\"level\":" +
               json_array(s, [](const KeptSample& k) { return std::to_string(k.alarm_level); }) +
               ",\"flapSet\":" +
               json_array(s, [](const KeptSample& k) { return std::to_string(k.flap_set); }) +
               ",\"flapAdvised\":" +
               json_array(s, [](const KeptSample& k) { return std::to_string(k.flap_advised); }) +
               ",\"altitude\":" +
               json_array(s, [&](const KeptSample& k) { return fixed(k.altitude * ht, 0); }) +
               ",\"vario\":" +
               json_array(s, [&](const KeptSample& k) { return fixed(k.vario * cl, 2); }) +
               ",\"circling\":" +
               json_array(s, [](const KeptSample& k) { return k.circling ? "1" : "0"; }) +
               ",\"thermals\":" + thermals + ",\"flapNames\":" + flaps +
               ",\"hasFlaps\":" + (sum_.flaps ? "true" : "false") +
               ",\"polarMode\":" + (f_.header.polar_mode ? "true" : "false") +
               ",\"polar\":" + polar_json() + ",\"words\":" + words_json() + "}";
    }

    const KeptFlight& f_;
    const ChartLibrary& lib_;
    PageUnits u_;
    FlightSummary sum_;
    std::ostringstream out_;
};

} // namespace

ChartLibrary read_chart_library(const std::filesystem::path& folder) {
    ChartLibrary lib;
    lib.script = read_all(folder / "uPlot.iife.min.js");
    lib.style = read_all(folder / "uPlot.min.css");
    if (lib.script.empty() || lib.style.empty())
        lib.problem = "the chart library is missing from " + folder.string();
    return lib;
}

std::string flight_page(const KeptFlight& flight, const ChartLibrary& library) {
    return Page(flight, library).build();
}

std::filesystem::path page_file_of(const std::filesystem::path& flight_file) {
    std::filesystem::path page = flight_file;
    return page.replace_extension(".html");
}

std::string write_flight_page(const std::filesystem::path& page, const KeptFlight& flight,
                              const ChartLibrary& library) {
    if (!library.problem.empty()) return library.problem;
    const std::string text = flight_page(flight, library);
    std::filesystem::path temporary = page;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!out) return "cannot write " + temporary.string();
    }
    std::error_code ec;
    std::filesystem::rename(temporary, page, ec);
    if (ec) return "cannot write " + page.string() + ": " + ec.message();
    return {};
}

} // namespace kalveo::debrief
