#include "shell/startup_options.h"

#include "sim/records.h"
#include "text/blanks.h"

#include <algorithm>
#include <cmath>

namespace kalveo {

namespace {

constexpr int kPolarHorizonSize = 300;
constexpr int kCentre = 1000002;
constexpr int kQuarterDown = 1000004;
constexpr std::size_t kFontFileLength = 29;
constexpr std::size_t kUnitLength = 9;

void take_window_settings(DisplayOptions& o, const Settings& s, bool polar) {
    const DisplaySettings& d = s.display;
    o.font_size = d.font_size;
    o.horizontal_display = std::clamp(d.horizontal, 0, 1);
    o.position_x = d.text_x;
    o.position_y = d.text_y;
    o.text_opacity = d.text_opacity;
    o.number_of_digits = std::clamp(d.vario_digits, -4, 4);
    o.volume = std::clamp(static_cast<int>(std::lround(100.0 * s.sound.volume)), 0, 100);
    o.status_mark = s.program.record ? 1 : (s.program.netto_switch ? 2 : 0);
    o.polar_mode = polar;
    o.artificial_horizon = polar ? 1 : d.horizon;
    o.horizon_size = polar ? kPolarHorizonSize : d.horizon_size;
    o.horizon_x = polar ? kCentre : d.horizon_x;
    o.horizon_y = polar ? kQuarterDown : d.horizon_y;
    o.horizon_opacity = d.horizon_opacity;
    o.horizon_transparent_corners = polar ? 0 : d.horizon_corners_transparent;
    o.horizon_font_size = d.horizon_font_size;
    o.debug = s.program.debug;
    o.stop_wait = s.program.stop_wait;
    o.keyboard_hook = s.keys.watch;
    o.keyboard_auto_reset = s.keys.watch_restart_minutes;
}

void take_switches(DisplayOptions& o, const Settings& s) {
    const DisplaySettings& d = s.display;
    o.show_vne = d.show_vne;
    o.show_va1 = d.show_va1;
    o.show_ballast = d.show_ballast;
    o.show_units = std::clamp(d.show_units, 0, 1);
    o.show_netto = d.show_netto;
    o.show_netto_integrator = d.show_netto_average;
    o.show_integrator = d.show_climb_average;
    o.show_stopwatch = d.show_stopwatch;
    o.show_task_timer = d.show_task_timer;
    o.show_clock = d.show_clock;
    o.show_wall_clock = d.show_wall_clock;
    o.show_ias = d.show_ias;
    o.show_tas = d.show_tas;
    o.show_ground_speed = d.show_ground_speed;
    o.show_g_meter = d.show_load_factor;
    o.show_slip = d.show_slip;
    o.show_heading = d.show_heading;
    o.show_wind = d.show_wind;
    o.north_up = d.north_up;
    o.arrow_style = d.arrow_style;
    o.flaps_sound = s.flaps.sounds_on;
}

void take_keys(DisplayOptions& o, const KeySettings& k) {
    o.key_increase = k.raise_margin;
    o.key_decrease = k.lower_margin;
    o.key_horizon = k.horizon;
    o.key_flaps_sound = k.flap_sounds;
    o.key_integrator = k.climb_average;
    o.key_netto_integrator = k.netto_average;
    o.key_stopwatch = k.stopwatch;
    o.key_task_timer = k.task_timer;
    o.key_sound_up = k.volume_up;
    o.key_sound_down = k.volume_down;
    o.key_hud_speed = k.hud_speed;
}

void take_colours(DisplayOptions& o, const DisplaySettings& d) {
    o.colour_flaps = d.colour_flaps;
    o.colour_ballast = d.colour_ballast;
    o.colour_vne = d.colour_vne;
    o.colour_va1 = d.colour_va1;
    o.colour_tas = d.colour_tas;
    o.colour_ias = d.colour_ias;
    o.colour_ground_speed = d.colour_ground_speed;
    o.colour_netto = d.colour_netto;
    o.colour_netto_integrator = d.colour_netto_average;
    o.colour_integrator = d.colour_climb_average;
    o.colour_stopwatch = d.colour_stopwatch;
    o.colour_task_timer = d.colour_task_timer;
    o.colour_clock = d.colour_clock;
    o.colour_g_meter = d.colour_load_factor;
    o.colour_slip = d.colour_slip;
    o.colour_heading = d.colour_heading;
    o.colour_wind = d.colour_wind;
    o.text_background = d.colour_text_background;
    o.horizon_background = d.colour_horizon_corners;
}

} // namespace

DisplayOptions build_display_options(const Settings& s) {
    DisplayOptions o;
    const bool polar = s.program.polar;
    take_window_settings(o, s, polar);
    take_switches(o, s);
    take_keys(o, s.keys);
    take_colours(o, s.display);
    return o;
}

std::string font_file_name(const DisplaySettings& display) {
    std::string name = std::string(trim(display.font_name)) + ".ttf";
    if (name.size() > kFontFileLength) name.resize(kFontFileLength);
    return name;
}

std::string display_unit_name(const SpeedSettings& speeds) {
    std::string unit(trim(speeds.unit_name));
    if (unit.size() > kUnitLength) unit.resize(kUnitLength);
    return unit;
}

} // namespace kalveo
