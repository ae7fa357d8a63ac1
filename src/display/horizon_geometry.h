// display/horizon_geometry: the arithmetic of the horizon window, apart from any drawing: the
// ball's circle, where the horizon line cuts it, line widths and font size for the window's
// size, and the positions of the wind, slip and g-meter marks.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace kalveo {

/// A point in ball units (the inner circle has radius fg1, about 1).
struct BallPoint {
    float x = 0.0F;
    float y = 0.0F;
};

/// Points on the circles, every 5 degrees clockwise from the top.
inline constexpr int kCirclePoints = 72;

/// The ball's two circles: the inner one (radius fg1) and the outer one (radius 1.15).
struct HorizonCircle {
    float fg1 = 1.0F;
    float fg2 = 1.15F;
    std::array<BallPoint, kCirclePoints> inner{};
    std::array<BallPoint, kCirclePoints> outer{};
};

/// The circles for the standard horizon (bank scale on the ball) or the other style.
[[nodiscard]] HorizonCircle make_horizon_circle(bool std_horizon);

/// Where the horizon line cuts the ball: the circle points ig1 and ig2 that end the sky part,
/// the line's height p (-1 all sky .. 1 all ground) and its half chord c.
struct HorizonSplit {
    int ig1 = 18;
    int ig2 = 54;
    float p = 0.0F;
    float c = 1.0F;
};

/// The split for `pitch_deg` (nose up positive) on `circle`.
[[nodiscard]] HorizonSplit horizon_split(float pitch_deg, const HorizonCircle& circle);

/// Line-width factor for a window `width` pixels wide: 1 at 120 pixels, 2 at 360.
[[nodiscard]] float line_width_factor(int width);
/// `multiple` times the factor, at least one pixel.
[[nodiscard]] float line_width(float multiple, float lwf);

/// Width and height (pixels) of a text at a font size.
struct TextSize {
    int width = 0;
    int height = 0;
};
/// Measures "000" at a font size.
using MeasureAtSize = std::function<TextSize(int size)>;

/// The fitted horizon font: from (int)(W x 0.1125) - 1 up, grown while the corner of a "000"
/// box still lies outside the ball's circle. `trace` gets one line per size tried.
[[nodiscard]] int fitted_horizon_font_size(int width, int height, const MeasureAtSize& measure,
                                           std::vector<std::string>* trace = nullptr);

/// The horizon font size for the setting HorFontSize: -1 fitted, 0 the text window's size.
[[nodiscard]] int horizon_font_size(int setting, int text_font_size, int width, int height,
                                    const MeasureAtSize& measure,
                                    std::vector<std::string>* trace = nullptr);

/// Heading minus wind direction brought into -180..180 (degrees).
[[nodiscard]] float relative_wind(float compass, float wind_dir);

/// x (pixels) of the slip triangle's tip: linear (mode 1) or sine scale (mode 2).
[[nodiscard]] float slip_tip_x(int width, float slip, int mode);

/// The g-meter's marks, in pixels from the bottom.
struct GMeter {
    std::vector<int> ticks; ///< y of the ticks for -10..10 g, within 1..H-1
    float bar_top = 0.0F;   ///< end of the bar (the centre is 0 g)
    int min_mark = 0;       ///< lowest g since the reset
    int max_mark = 0;       ///< highest g since the reset
};
[[nodiscard]] GMeter g_meter(int height, float gforce, float g_min, float g_max);
/// Length of the tick for k g: long every 5 g.
[[nodiscard]] int g_tick_length(int k);

} // namespace kalveo
