#include "config/setting_values.h"

#include "report/log.h"
#include "text/number_read.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace kalveo {

namespace {

constexpr std::size_t kUnitNameLength = 40;

struct NamedUnit {
    std::string_view text;
    int nunit;
    std::string_view shown;
};

constexpr std::array<NamedUnit, 6> kNamedUnits{{
    {"AUTO", -1, ""},
    {"kmh", 0, "kmh"},
    {"kph", 0, "kmh"},
    {"kts", 1, "kts"},
    {"mph", 2, "mph"},
    {"fpf", 3, "kFpf"},
}};

std::string number_text(int n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", n);
    return buffer;
}

// Enough digits for the factor to read back as the same number.
std::string factor_text(double factor) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.9g", factor);
    return buffer;
}

} // namespace

std::optional<int> parse_position(std::string_view text) {
    if (text == "L" || text == "T") return kPosStart;
    if (text == "C") return kPosCentre;
    if (text == "R" || text == "B") return kPosEnd;
    return read_int(text);
}

int b2pos(std::string_view text) {
    if (auto pos = parse_position(text)) return *pos;
    log_message_f("*** ERROR *** : " + std::string(text));
    return kPosStart;
}

std::string pos2b(int pos) {
    switch (pos) {
    case kPosStart:
        return "L";
    case kPosCentre:
        return "C";
    case kPosEnd:
        return "R";
    default:
        return number_text(pos);
    }
}

std::string pos2b_vertical(int pos) {
    switch (pos) {
    case kPosStart:
        return "T";
    case kPosCentre:
        return "C";
    case kPosEnd:
        return "B";
    default:
        return number_text(pos);
    }
}

int percent_to_level(double percent) {
    if (!(percent >= 0.0 && percent <= 100.0)) return 255;
    // 2.55 per percent, as 255 / 100 so that 50 % is exactly 127.5 and rounds up.
    const long level = std::lround(percent * 255.0 / 100.0);
    return static_cast<int>(std::clamp(level, 0L, 255L));
}

int level_to_percent(int level) {
    return static_cast<int>(std::lround(level * 100.0 / 255.0));
}

std::optional<SpeedUnit> parse_unit(std::string_view text) {
    for (const auto& unit : kNamedUnits)
        if (unit.text == text) return SpeedUnit{unit.nunit, std::string(unit.shown), 0.0};
    const auto equals = text.find('=');
    const std::string_view factor_part =
        equals == std::string_view::npos ? text : text.substr(equals + 1);
    const auto factor = read_real(factor_part);
    if (!factor || !(*factor > 0.0) || !std::isfinite(*factor)) return std::nullopt;
    std::string name;
    if (equals != std::string_view::npos) name = std::string(text.substr(0, equals));
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
        name.pop_back();
    if (name.size() > kUnitNameLength) name.resize(kUnitNameLength);
    return SpeedUnit{kCustomUnit, name, *factor};
}

std::string unit_text(int nunit, std::string_view custom_name, double factor) {
    if (nunit == kCustomUnit) return std::string(custom_name) + "=" + factor_text(factor);
    for (const auto& unit : kNamedUnits)
        if (unit.nunit == nunit) return std::string(unit.text);
    return "kmh";
}

} // namespace kalveo
