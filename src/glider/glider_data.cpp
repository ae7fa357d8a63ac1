#include "glider/glider_data.h"

#include "glider/file_bytes.h"
#include "platform/paths.h"
#include "report/log.h"
#include "report/trace.h"
#include "text/blanks.h"
#include "text/editor_text.h"
#include "text/key_value.h"
#include "text/number_read.h"

#include <cstdio>
#include <optional>

namespace kalveo {
namespace {

constexpr double kKmhPerMs = 3.6;
constexpr std::size_t kNameLength = 32;
constexpr std::size_t kFlapNameLength = 10;
constexpr std::size_t kErrorContext = 40;

enum class Section { none, version, condor1, condor2, condor3 };

std::optional<Section> section_header(std::string_view line) {
    const std::string_view head = trim_right(line);
    if (head == "[Version]") return Section::version;
    if (head == "[Condor 1]") return Section::condor1;
    if (head == "[Condor 2]") return Section::condor2;
    if (head == "[Condor 3]") return Section::condor3;
    return std::nullopt;
}

int simulator_of(Section section) {
    switch (section) {
    case Section::condor1:
        return 1;
    case Section::condor2:
        return 2;
    case Section::condor3:
        return 3;
    default:
        return 0;
    }
}

bool is_skipped(std::string_view line) {
    return is_blank_text(line) || line.front() == '#';
}

// Splits the text into lines as a line-by-line read sees them: CR LF ends
// accepted, over-long lines cut, a byte-order mark in front ignored.
std::vector<std::string_view> data_lines(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line.substr(0, kDataLineLength));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::optional<std::string> read_text_file(std::string_view fff) {
    return read_file_bytes(native_path(fff));
}

// Reads one matching entry's list into `values`, item by item, up to the end
// of the list, the first item that is not a number, or a missing reference
// mass (an entry without flaps). False when an item could not be read.
class EntryReader {
  public:
    EntryReader(std::string_view line, std::string list, GliderValues& values, GliderScan& scan,
                bool trace = true)
        : line_(line), list_(std::move(list)), values_(values), scan_(scan), trace_(trace) {}

    bool read() {
        const std::string first = extract_comma(list_);
        scan_.log_lines.emplace_back(line_);
        scan_.log_lines.push_back(first);
        const std::optional<double> vne = read_real(first);
        if (!vne) return fail("VNE");
        values_.vne = *vne / kKmhPerMs;
        scan_.vne_found = true;
        // A readable entry replaces the flap table of an earlier one.
        values_.nflap = 0;
        values_.nflmax = 0;
        values_.lflmax = 0;
        if (!read_optional(values_.balmax, "balmax")) return false;
        const std::string rmass = extract_comma(list_);
        if (rmass.empty()) return true;
        if (!read_item(rmass, values_.rmass, "RMASS")) return false;
        if (!read_optional(values_.mmass, "MMASS")) return false;
        return read_flaps();
    }

  private:
    bool fail(const char* what) {
        scan_.log_lines.push_back("*** " + std::string(what) + " : ERROR *** " +
                                  std::string(line_.substr(0, kErrorContext)));
        return false;
    }

    bool read_item(const std::string& item, double& target, const char* what) {
        const std::optional<double> value = read_real(item);
        if (!value) return fail(what);
        target = *value;
        return true;
    }

    // An empty item keeps the value in force.
    bool read_optional(double& target, const char* what) {
        const std::string item = extract_comma(list_);
        return item.empty() || read_item(item, target, what);
    }

    bool read_flaps() {
        if (trace_) trace("*** FLAPS ***\n");
        int count = 0;
        // The first speed is read even from an empty rest: a reference mass
        // promises at least one flap position.
        do {
            const std::optional<double> speed = read_real(extract_comma(list_));
            if (!speed) return fail("VFLAP");
            ++count;
            std::string name = extract_comma(list_).substr(0, kFlapNameLength);
            name = std::string(trim_right(name));
            values_.vflap100[count] = *speed / kKmhPerMs;
            const int length = static_cast<int>(name.size());
            if (length > values_.lflmax) {
                values_.lflmax = length;
                values_.nflmax = count;
            }
            if (trace_) {
                trace("%4d %4d %4d %4d %s\n", count, length, values_.nflmax, values_.lflmax,
                      name.c_str());
            }
            values_.cflap[count] = std::move(name);
        } while (!is_blank_text(list_) && count < kMaxFlaps);
        values_.nflap = count;
        return true;
    }

    std::string_view line_;
    std::string list_;
    GliderValues& values_;
    GliderScan& scan_;
    bool trace_;
};

bool accepts(int section, int cndrvers) {
    // Version 3 flies the version 2 gliders too.
    return section == cndrvers || (cndrvers == 3 && section == 2);
}

} // namespace

GliderScan scan_glider_data(std::string_view text, std::string_view ggg, int cndrvers,
                            GliderValues& values) {
    GliderScan scan;
    const EditorText decoded = editor_text(text);
    if (!decoded.how.empty()) scan.log_lines.push_back("Glider data file: " + decoded.how);
    const std::string_view wanted = trim(ggg);
    Section section = Section::none;
    for (const std::string_view line : data_lines(decoded.text)) {
        if (const auto header = section_header(line)) {
            section = *header;
            continue;
        }
        const int simulator = simulator_of(section);
        if (is_skipped(line) || simulator == 0) continue;
        const KeyValue entry = extract_key_val(line);
        ++scan.entries;
        trace("%s | %s %d %d\n", std::string(wanted).c_str(), entry.key.c_str(), simulator,
              cndrvers);
        if (wanted.empty() || entry.key != wanted || !accepts(simulator, cndrvers)) continue;
        scan.matched = true;
        values.glnam = entry.key.substr(0, kNameLength);
        // Reading goes on after a match, so that the last matching line
        // counts: a [Condor 3] line after the [Condor 2] one of the same glider.
        EntryReader(line, entry.val, values, scan).read();
    }
    return scan;
}

int scan_data_version(std::string_view text) {
    const std::string decoded = editor_text(text).text;
    Section section = Section::none;
    for (const std::string_view line : data_lines(decoded)) {
        if (const auto header = section_header(line)) {
            section = *header;
            continue;
        }
        if (section != Section::version || is_skipped(line)) continue;
        return read_int(extract_key_val(line).val).value_or(0);
    }
    return 0;
}

std::string glider_data_problem(std::string_view text) {
    if (scan_data_version(text) <= 0) return "no [Version] number";
    const std::string decoded = editor_text(text).text;
    Section section = Section::none;
    int entries = 0;
    int number = 0;
    for (const std::string_view line : data_lines(decoded)) {
        ++number;
        if (const auto header = section_header(line)) {
            section = *header;
            continue;
        }
        if (is_skipped(line) || simulator_of(section) == 0) continue;
        ++entries;
        const KeyValue entry = extract_key_val(line);
        GliderValues scratch;
        GliderScan scan;
        if (entry.key.empty() || !EntryReader(line, entry.val, scratch, scan, false).read()) {
            return "line " + std::to_string(number) + " is no glider entry";
        }
    }
    if (entries == 0) return "no glider entries";
    return {};
}

GliderScan lookup_glider(std::string_view fff, std::string_view ggg, int cndrvers,
                         GliderValues& values) {
    trace("read_data %s\n", std::string(trim(ggg)).c_str());
    values.nflap = 0;
    values.nflmax = 0;
    values.lflmax = 0;
    GliderScan scan;
    if (const std::optional<std::string> text = read_text_file(fff)) {
        scan = scan_glider_data(*text, ggg, cndrvers, values);
    } else {
        scan.log_lines.push_back(std::string(fff) + " could not be read");
    }
    // The lines hold the file's own text: logged as text, whatever they start with.
    for (const std::string& line : scan.log_lines) {
        log_verbatim(line);
    }
    return scan;
}

int read_data(std::string_view fff, std::string_view ggg, bool qversion, int cndrvers,
              GliderValues& values) {
    if (!qversion) return lookup_glider(fff, ggg, cndrvers, values).entries;
    trace("read_data %s\n", std::string(trim(ggg)).c_str());
    const std::optional<std::string> text = read_text_file(fff);
    if (!text) return 0;
    const int version = scan_data_version(*text);
    trace("HU version %d\n", version);
    return version;
}

} // namespace kalveo
