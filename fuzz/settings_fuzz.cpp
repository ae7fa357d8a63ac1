// The settings file and the texts of its values: key codes, colours, window positions,
// speed units. Whatever a value reads as must write back as text that reads the same.
#include "config/colours.h"
#include "config/key_codes.h"
#include "config/setting_values.h"
#include "config/settings.h"
#include "config/settings_table.h"
#include "config/settings_writer.h"
#include "fuzz_support.h"

#include <cstdlib>

using namespace kalveo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    const std::string_view text = fuzz::as_text(data, size);

    const SettingsRead read = read_settings_text(text, false);
    (void)rewrite_settings_text(text, read.settings);
    (void)replace_position_lines(text, {10, 20, 1000002, 1000003});

    // Each of the first lines as a value text of its own (all of them would slow the run
    // down for nothing new).
    auto lines = fuzz::split(text, '\n');
    if (lines.size() > 40) lines.resize(40);
    for (const std::string_view line : lines) {
        if (const auto code = b2k(line)) {
            if (b2k(k2b(*code)) != code) std::abort();
        }
        if (const auto colour = parse_colour(line)) {
            if (*colour < 0 || *colour > 0xFFFFFF || parse_colour(rgb2txt(*colour)) != colour)
                std::abort();
        }
        (void)txt2rgb(line);
        if (const auto pos = parse_position(line)) {
            if (parse_position(pos2b(*pos)) != pos || parse_position(pos2b_vertical(*pos)) != pos)
                std::abort();
        }
        (void)b2pos(line);
        if (const auto unit = parse_unit(line)) {
            const auto again = parse_unit(unit_text(unit->nunit, unit->name, unit->factor));
            if (!again || again->nunit != unit->nunit) std::abort();
        }
    }
    return 0;
}
