#include "report/log_format.h"

#include "report/log.h"

#include <cstdio>

namespace kalveo {

namespace {

std::string with_pairs(std::string_view start, int pairs) {
    std::string line(start);
    for (int i = 0; i < pairs; ++i)
        line += "+-";
    return line;
}

// The information header is one character longer than the others (79).
constexpr int kInfoPairs = 36;
constexpr std::size_t kHeaderWidth = 78;

std::string header_to_width(std::string_view start) {
    return with_pairs(start, static_cast<int>((kHeaderWidth - start.size()) / 2));
}

} // namespace

std::string console_header(int severity) {
    if (severity == kSeverityFatal) return header_to_width("+ FATAL ERROR ");
    return file_header(severity);
}

std::string file_header(int severity) {
    switch (severity) {
    case kSeverityInfo:
        return with_pairs("+ INFO ", kInfoPairs);
    case kSeverityWarning:
        return header_to_width("+ WARNING ");
    case kSeverityError:
    case kSeverityFatal:
        return header_to_width("+ ERROR ");
    default:
        return {};
    }
}

std::string trailer_line() {
    return with_pairs("", 39);
}

std::string date_time_stamp(const std::tm& when) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", when.tm_year + 1900,
                  when.tm_mon + 1, when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
    return text;
}

std::string timed_log_name(std::string_view program, const std::tm& when) {
    const auto slash = program.find_last_of("/\\");
    if (slash != std::string_view::npos) program.remove_prefix(slash + 1);
    program = program.substr(0, program.find('.'));
    char ending[64];
    std::snprintf(ending, sizeof ending, "_%04d_%02d_%02d-%02d_%02d_%02d.log", when.tm_year + 1900,
                  when.tm_mon + 1, when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
    return std::string(program) + ending;
}

} // namespace kalveo
