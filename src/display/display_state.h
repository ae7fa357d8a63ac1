// display/display_state: the display state (records.h) as the per-packet core and start-up
// feed it: per-flight layout, flap advice, per-packet values, colours and blink partners.
//
// These functions never call GL or the windowing component while no window exists, so the
// core can run them in tests and before the windows are open.
#pragma once

#include "display/instrument_windows.h"
#include "display/records.h"
#include "flight/outputs.h"

#include <cstdint>
#include <string_view>

namespace kalveo {

/// Wall-clock seconds, with fractions; every display time (StartTime, LastFlapUpdate,
/// BW_Time, ...) is on this clock.
[[nodiscard]] double display_clock();

/// A settings colour 0xRRGGBB as floats 0..1.
[[nodiscard]] RgbF ConvertColor(int value);
/// The same as bytes.
[[nodiscard]] Rgb8 ConvertColor_US(int value);

/// The blink partner of a colour: the same hue, a light colour made dark and a dark one light.
void setblinkcolor(const RgbF& colour, RgbF& partner);
[[nodiscard]] RgbF blink_partner(const RgbF& colour);

/// Height of the text window (pixels) for numlin lines of FontSize with VertMargin.
int ComputeHeight(const DisplayLook& d);

/// Once per flight, when the glider is known: alarm speeds (display units), flap display,
/// ballast, wind, chat keys, bug wipers; lays the text window out again, and when `windows`
/// are open resizes the text window and loads the insect picture. Returns 0.
int UpdVNE(DisplayStateRecord& d, const FlightLayout& layout, std::string_view longest_flap,
           std::string_view unit, InstrumentWindows* windows = nullptr);
/// Flap advice changed: position name and direction (1 up, -1 down, 0 in place).
void UpdFlp(DisplayStateRecord& d, std::string_view flap, int direction);
/// Once per packet: stopwatch, task timer and clock texts, the values (display units), and in
/// polar mode the speed trace, point counts and polar points.
void UpdAng(DisplayStateRecord& d, std::string_view stopwatch, std::string_view task_timer,
            std::string_view clock, const InstrumentReading& reading, const SpeedTrace& speed_trace,
            int recorded_points, int polar_points, const PolarTable& polar);

/// What the windows show of the pilot's controls: the flight cycle's status, handed over with
/// each packet and after each command.
void show_instrument_status(DisplayReading& d, const InstrumentStatus& status);

/// Loads the windows' insect picture (its file) as texture 2 when a window exists; warns when
/// it cannot.
void load_bug(InstrumentWindows& windows);
/// Draws the insect picture at its own pixel size in the middle of a `width` x `height`
/// window (pixel projection in force); nothing while no picture is loaded.
void draw_bug(BugPicture& bug, int width, int height);

} // namespace kalveo
