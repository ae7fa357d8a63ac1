// display/display_options: the settings start-up hands to the windows, each field named after
// the setting it carries, and the colours derived from them.
#pragma once

namespace kalveo {

struct DisplayLook;
struct DisplayStateRecord;

/// The display's settings as start-up hands them over, already kept in their ranges and, in
/// polar mode, with the horizon's size, place, style and corners replaced by polar mode's.
/// Colours are 0xRRGGBB; keys are virtual-key codes. Everything starts at 0: start-up fills
/// every field.
struct DisplayOptions {
    // The text window.
    int font_size = 0;          ///< font size, pixels
    int horizontal_display = 0; ///< 1 one line, 0 one value per line
    int position_x = 0;         ///< left edge, pixels, or a position code
    int position_y = 0;         ///< top edge, pixels, or a position code
    int text_opacity = 0;       ///< 0..255; 0 makes the background colour transparent
    int number_of_digits = 0;   ///< decimals of the vario values, -4..4; negative: no plus sign
    int volume = 0;             ///< sound volume, percent 0..100
    int status_mark = 0;        ///< 0 none, 1 recording, 2 netto mode
    bool polar_mode = false;    ///< the polar chart instead of the horizon, and the vario shown

    // The horizon window.
    int artificial_horizon = 0;          ///< 1 horizon, 2 standard horizon, else left as it is
    int horizon_size = 0;                ///< width and height, pixels
    int horizon_x = 0;                   ///< left edge, pixels, or a position code
    int horizon_y = 0;                   ///< top edge, pixels, or a position code
    int horizon_opacity = 0;             ///< 0..255
    int horizon_transparent_corners = 0; ///< 1: the corners in horizon_background, see-through
    int horizon_font_size = 0;           ///< pixels; -1 fits the window, 0 the text window's size

    // What is shown (0 off, 1 on unless said).
    int show_vne = 0;
    int show_va1 = 0;
    int show_ballast = 0; ///< bit 0 the number, bit 1 the bar; negative: also with empty tanks
    int show_units = 0;
    int show_netto = 0;
    int show_netto_integrator = 0;
    int show_integrator = 0;
    int show_stopwatch = 0;
    int show_task_timer = 0;
    int show_clock = 0;
    int show_wall_clock = 0;
    int show_ias = 0;
    int show_tas = 0;
    int show_ground_speed = 0;
    int show_g_meter = 0; ///< bit 0 the number, bit 1 the g-meter on the horizon
    int show_slip = 0;    ///< 0 off, 1 linear, 2 sine scale
    int show_heading = 0; ///< bit 0 the number, bit 1 the symbol
    int show_wind = 0;    ///< bit 0 a number, bit 1 the arrow, bit 2 the number is the speed
    int north_up = 0;
    int arrow_style = 0;
    bool flaps_sound = false; ///< the flap calls are on

    // Hotkeys.
    int key_increase = 0;
    int key_decrease = 0;
    int key_horizon = 0;
    int key_flaps_sound = 0;
    int key_integrator = 0;
    int key_netto_integrator = 0;
    int key_stopwatch = 0;
    int key_task_timer = 0;
    int key_sound_up = 0;
    int key_sound_down = 0;
    int key_hud_speed = 0;
    int g_reset_scan = 0; ///< the simulator's g-meter reset key, scan code

    // Colours.
    int colour_flaps = 0;
    int colour_ballast = 0;
    int colour_vne = 0;
    int colour_va1 = 0;
    int colour_tas = 0;
    int colour_ias = 0;
    int colour_ground_speed = 0;
    int colour_netto = 0;
    int colour_netto_integrator = 0;
    int colour_integrator = 0;
    int colour_stopwatch = 0;
    int colour_task_timer = 0;
    int colour_clock = 0;
    int colour_g_meter = 0;
    int colour_slip = 0;
    int colour_heading = 0;
    int colour_wind = 0;
    int text_background = 0;    ///< 0 keeps the built-in colour
    int horizon_background = 0; ///< 0 keeps the built-in colour

    // Behaviour.
    bool debug = false;          ///< more in the log
    int stop_wait = 0;           ///< seconds before asking to end when the simulator stops; -1 end
                                 ///< without asking, below -1 never check
    int keyboard_hook = 0;       ///< 1: the hotkeys work in every window
    int keyboard_auto_reset = 0; ///< minutes between renewals of the keyboard watch; 0 never
};

/// Sky colour of a horizon whose corners are painted (0..1).
inline constexpr float kSkyRed = 0.435F;
inline constexpr float kSkyGreen = 0.631F;
inline constexpr float kSkyBlue = 0.812F;

/// Copies the options into the display state: sizes, switches, keys, colours, opacity,
/// position settings, stop wait and keyboard settings.
void apply_display_options(DisplayStateRecord& s, const DisplayOptions& options);

/// Background colours as floats and the blink partners of the blinking colours.
void derive_window_colours(DisplayLook& s);

} // namespace kalveo
