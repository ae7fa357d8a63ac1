#include "shell/startup_switches.h"

#include "platform/files.h"
#include "platform/wine_prefix.h"
#include "text/blanks.h"
#include "text/key_value.h"
#include "text/number_read.h"

#include <string_view>

namespace kalveo {

namespace {

constexpr double kShortestNettoSeconds = 0.1;
constexpr double kSecondsPerHour = 3600.0;

// One line a switch, as the README's table says it, so that -help alone is enough.
constexpr const char* kSwitchHelp[] = {
    "  -kmh -kph -kts -mph -fpf  the speed unit, instead of Unit in Kalveo.ini",
    "  -f                        flap sounds on at start",
    "  -d                        more in the log",
    "  -ha                       the horizon with the fixed bank scale",
    "  -nohook                   no keyboard watch (as KeyboardHook=0)",
    "  -p                        polar measurement: Key Integrator records a point (folder Polars)",
    "  -rec                      a red mark in the strip for screen recordings",
    "  -net[=seconds]            a magenta mark in the strip",
    "  -help                     this text",
};

void netto_switch(std::string_view arg, ProgramSettings& program) {
    program.netto_switch = true;
    const KeyValue kv = extract_key_val(arg);
    const auto seconds = read_real(kv.val);
    if (seconds && *seconds >= kShortestNettoSeconds)
        program.netto_hours = *seconds / kSecondsPerHour;
}

// Returns true for -help; the first switch that matches applies.
bool apply_switch(std::string_view arg, Settings& s) {
    const std::string_view a = trim_right(arg);
    if (a == "-kts") {
        s.speeds.unit = 1;
    } else if (a == "-mph") {
        s.speeds.unit = 2;
    } else if (a == "-kmh" || a == "-kph") {
        s.speeds.unit = 0;
    } else if (a == "-fpf") {
        s.speeds.unit = 3;
    } else if (a == "-rec") {
        s.program.record = true;
    } else if (a.substr(0, 4) == "-net") {
        netto_switch(a, s.program);
    } else if (a == "-f") {
        s.flaps.sounds_on = true;
    } else if (a == "-p") {
        s.program.polar = true;
    } else if (a == "-d") {
        s.program.debug = true;
    } else if (a == "-ha") {
        s.display.horizon = 1;
    } else if (a == "-nohook") {
        s.keys.watch = 0;
    } else if (a == "-help") {
        return true;
    }
    return false;
}

} // namespace

std::vector<std::string> kept_arguments(const std::vector<std::string>& arguments) {
    std::vector<std::string> args;
    for (std::size_t i = 0; i < arguments.size() && i <= kMaxArguments; ++i) {
        // The program path is kept whole: the usage and the console test read it.
        args.push_back(i == 0 ? arguments[i] : arguments[i].substr(0, kArgumentLength));
    }
    if (args.empty()) args.emplace_back();
    return args;
}

int last_option_index(const std::vector<std::string>& args) {
    int last = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (!args[i].empty() && args[i].front() == '-') last = static_cast<int>(i);
    }
    return last;
}

bool apply_switches(const std::vector<std::string>& args, Settings& settings) {
    bool help = false;
    const int last = last_option_index(args);
    for (int i = 1; i <= last; ++i) {
        if (apply_switch(args[static_cast<std::size_t>(i)], settings)) help = true;
    }
    return help;
}

std::vector<std::string> usage_lines(const std::string& program) {
    std::vector<std::string> lines{" Usage :", " " + std::string(trim(program)) + " " + kHelpText};
    for (const char* line : kSwitchHelp)
        lines.emplace_back(line);
    for (std::string& line : wine_prefix_help())
        lines.push_back(std::move(line));
    return lines;
}

bool started_by_name(const std::string& argument0) {
    return names_no_folder(argument0);
}

} // namespace kalveo
