// config/settings_value: the settings of Settings\Kalveo.ini and of the command line as one
// value. Every default stands here, once, as a member initialiser.
//
// Window positions are pixels or the codes 1000001 start (left/top), 1000002 centre,
// 1000003 end (right/bottom), 1000004 a quarter down. Colours are 24-bit integers
// red x 65536 + green x 256 + blue. Comments name the key of the settings file.
#pragma once

#include <string>

namespace kalveo {

/// "Not set" marker of VNE and the alarm margins; the flight set-up supplies them.
inline constexpr double kSpeedNotSet = -10000.0;

/// Units, speeds and the airspeed filter.
struct SpeedSettings {
    /// "Unit": -1 follow the simulator, 0 km/h, 1 kts, 2 mph, 3 kFpf, 4 custom.
    int unit = 0;
    /// Name of the display unit ("kmh"; the custom unit's own name).
    std::string unit_name = "kmh";
    /// Factor from m/s to the custom unit (only with unit 4).
    double custom_factor = 3.6;
    /// "VNE" (display units); kSpeedNotSet: from the glider data.
    double vne = kSpeedNotSet;
    /// "DV1": margin below VNE where the alarm starts (display units).
    double dv1 = kSpeedNotSet;
    /// "DV2": width of the graded alarm band (display units).
    double dv2 = kSpeedNotSet;
    /// "Airspeed_AverageTime" / 3: time constant of the airspeed filter (s).
    double airspeed_time_constant = 0.3333;
    /// "Atmosphere Model".
    int atmosphere_model = 0;

    bool operator==(const SpeedSettings&) const = default;
};

/// The sound device and the volumes.
struct SoundSettings {
    /// "Sound device": -1 the system's default.
    int device = -1;
    /// "General volume" (0..1).
    double volume = 0.5;
    /// "Flaps volume" (0 and up, relative to the general volume).
    double flap_volume = 0.5;

    bool operator==(const SoundSettings&) const = default;
};

/// The flap advice.
struct FlapSettings {
    /// "Flaps Alarm Init" or the switch -f: flap sounds on at start.
    bool sounds_on = false;
    /// "Flaps_GFactor": flap speeds scaled by the load factor.
    bool scale_by_load_factor = false;
    /// "FlapSoundMaxBank": no flap sounds beyond this bank (degrees); 15, or 90 with the
    /// load factor, when the file does not say.
    double sound_max_bank = 15.0;
    /// "Flaps_AverageTime" / 3: time constant of the speed the advice follows (s).
    double time_constant = 0.66666;
    /// "FlapsLandingOpt": 2 or more plays the landing call; odd values also allow "up" advice
    /// from the landing position.
    int landing_option = 0;

    bool operator==(const FlapSettings&) const = default;
};

/// What the two windows show, where and how.
struct DisplaySettings {
    std::string font_name = "arialbd"; ///< "Font name" (a Windows font file name)
    int font_size = 24;                ///< "Font size" of the strip (pixels)
    /// "AH Font size" (pixels); -1 fit to the window, 0 as the strip's.
    int horizon_font_size = 0;
    int horizontal = 1;   ///< "Horizontal display": 1 one line, 0 one value per line
    int text_x = 1000003; ///< "Hor. position" of the strip
    int text_y = 1000001; ///< "Ver. position" of the strip
    /// "Opacity" of the strip, 0..255; 0 makes the background colour transparent.
    int text_opacity = 255;
    /// Horizon window: 0 none, 1 horizon, 2 standard horizon ("AH size", "AH Standard", -ha).
    int horizon = 0;
    int horizon_size = 150;              ///< "AH size": width and height (pixels)
    int horizon_x = 1000002;             ///< "AH hor. position"
    int horizon_y = 1000001;             ///< "AH ver. position"
    int horizon_opacity = 255;           ///< "AH opacity", 0..255
    int horizon_corners_transparent = 1; ///< "AH transparent corners"
    int north_up = 1;                    ///< "North Up": 1 north up, 0 heading up
    int arrow_style = 1;                 ///< "Arrow Style": 0 plain arrows
    /// "Number of Digits" of the vario values, -4..4; negative: no forced plus sign.
    int vario_digits = 1;

    // The switches of the fields ("Display ...").
    int show_netto = 0;         ///< "Display Netto Vario"
    int show_netto_average = 0; ///< "Display Netto Integrator"
    int show_climb_average = 0; ///< "Display Long-term Integrator"
    int show_stopwatch = 0;     ///< "Display Stopwatch"
    int show_task_timer = 0;    ///< "Display Task Timer"
    int show_clock = 0;         ///< "Display Clock" (the simulator's)
    int show_wall_clock = 0;    ///< "Display Wall Clock"
    int show_tas = 1;           ///< "Display TAS"
    int show_ias = 1;           ///< "Display IAS"
    int show_ground_speed = 0;  ///< "Display Gnd Speed"
    int show_vne = 1;           ///< "Display VNE" (0..1)
    int show_va1 = 1;           ///< "Display VA1" (0..1)
    /// "Display Flaps": 0 hidden, 1 the position set with the advice arrow, 2 the advice.
    int show_flaps = 1;
    int show_slip = 0;    ///< "Display Slip": 0 off, 1 linear, 2 sine scale
    int show_units = 1;   ///< "Display Units"
    int show_ballast = 0; ///< "Display Ballast": bit 0 number, bit 1 bar
    int show_heading = 3; ///< "Display Heading": bit 0 number, bit 1 symbol
    /// "Display Wind": bit 0 a number, bit 1 the arrow, bit 2 the number is the speed.
    int show_wind = 3;
    int show_load_factor = 0; ///< "Display G meter": bit 0 number, bit 1 meter

    // Colours ("Col...").
    int colour_flaps = 0x00007F;
    int colour_ballast = 0x00FFFF;
    int colour_vne = 0x0000FF;
    int colour_va1 = 0xFF00FF;
    int colour_tas = 0x000000;
    int colour_ground_speed = 0x873E23;
    int colour_heading = 0xFF7F00;
    int colour_ias = 0x7F007F;
    int colour_netto = 0x7F7F7F;
    int colour_netto_average = 0x7F3F00;
    int colour_climb_average = 0x7F3F00;
    int colour_task_timer = 0x007F00;
    int colour_clock = 0x000000;
    int colour_stopwatch = 0x000000;
    int colour_load_factor = 0xFF7FFF;
    int colour_slip = 0xFF4000;
    int colour_wind = 0x0000FF;
    int colour_horizon_corners = 0x82B4E6; ///< "AH Corners Background"
    int colour_text_background = 0x82B4E6; ///< "Text Background"

    /// "BugWiperThermTurns": thermal turns after which the bug-wipe reminder may show; 0 off.
    int bug_wipe_turns = 0;

    bool operator==(const DisplaySettings&) const = default;
};

/// The hotkeys (virtual-key codes; negative: a scan code) and the keyboard watch.
struct KeySettings {
    int raise_margin = 73;       ///< "Key increase" (I)
    int lower_margin = 85;       ///< "Key decrease" (U)
    int horizon = 79;            ///< "Key horizon" (O)
    int flap_sounds = 77;        ///< "Key Flaps Sound" (M)
    int volume_up = 56;          ///< "Key Sound Up" (8)
    int volume_down = 55;        ///< "Key Sound Down" (7)
    int stopwatch = 48;          ///< "Key Stopwatch" (0)
    int task_timer = 53;         ///< "Key Task Timer" (5)
    int climb_average = 57;      ///< "Key Integrator" (9)
    int netto_average = 54;      ///< "Key Netto Int" (6)
    int hud_speed = 60;          ///< "Key HUD Speed"
    int simulator_chat_open = 0; ///< "Key Chat Open": the simulator's own chat key
    /// "KeyboardHook": 1 the keyboard watch runs, 0 not (also the switch -nohook).
    int watch = 1;
    /// "KbdHook_Auto_Restart": minutes between restarts of the keyboard watch; 0 never.
    int watch_restart_minutes = 0;

    bool operator==(const KeySettings&) const = default;
};

/// Where telemetry arrives and where it goes on.
struct LinkSettings {
    int port = 55278;                          ///< "Port"
    int forward_port = 0;                      ///< "Forward Port"; 0 no forwarding
    std::string forward_address = "127.0.0.1"; ///< "Forward Address"

    bool operator==(const LinkSettings&) const = default;
};

/// How the program runs and what it logs and keeps.
struct ProgramSettings {
    /// "Kalveo Version": the program version that wrote the file; 0 when it does not say.
    int file_version = 0;
    /// "Language": the language code chosen ("EN", "FR", "DE"); empty: the system's.
    std::string language;
    /// Language number: 1 none chosen, 2 English, 3 French, 4 German.
    int language_number = 1;
    /// No language was chosen and the system's is French (numbers then take a decimal comma).
    bool french = false;
    bool auto_update = false;            ///< "Auto update": look for newer versions at start
    std::string text_editor = "notepad"; ///< "Text editor" command
    std::string condor_1_path;           ///< "Condor 1 Path"
    /// "Wine prefix": the prefix the simulator lives in (Linux); empty: looked for.
    std::string wine_prefix;
    /// "StopWait": seconds to wait before asking to exit once the simulator stopped; -1 exit
    /// without asking; below -1 never check.
    int stop_wait = 0;
    bool debug = false;        ///< switch -d: log every draw, tick and key
    bool record = false;       ///< switch -rec: record the flight
    bool polar = false;        ///< switch -p: polar measurement mode
    bool netto_switch = false; ///< switch -net: netto over a given time
    double netto_hours = 0.1;  ///< the time of -net=seconds (hours)
    bool debrief = true;       ///< "Debrief": keep each flight and write its page

    bool operator==(const ProgramSettings&) const = default;
};

/// Everything the settings file and the command line set.
struct Settings {
    SpeedSettings speeds;
    SoundSettings sound;
    FlapSettings flaps;
    DisplaySettings display;
    KeySettings keys;
    LinkSettings link;
    ProgramSettings program;

    bool operator==(const Settings&) const = default;
};

} // namespace kalveo
