// display/text_layout: the text window's fields and where it puts them, worked out from measured
// text widths without any drawing: the table of fields (switch, label, value, format, colour
// rule) that the layout and the drawing walk, the number formats, the one-line and the column
// layout, the window width they need, and the small rules of alignment and of the waiting text.
#pragma once

#include "display/records.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kalveo {

/// The fields of the text window.
enum class TextField {
    IAS,
    GS,
    TAS,
    VA1,
    VNE,
    Unit,
    GLoad,
    Vario,
    Netto,
    NettoAverage,
    Integrator,
    Flaps,
    Ballast,
    Stopwatch,
    TaskTimer,
    Clock,
    WallClock,
};

/// How the vario-like values are written: the printf format and the widest positive and
/// negative texts, and the template whose width the layout reserves.
struct NumberFormats {
    std::string FmtSTr = "%+4.1f";
    std::string VPStr = "+0.0";
    std::string VMStr = "-0.0";
    std::string V0Str = "+0.0";
};

/// The formats for NumDig decimals (-4..4; outside that range the nearest end): negative gives
/// that many decimals without a forced sign, positive with the sign; 0 is "%+4.1f".
[[nodiscard]] NumberFormats number_formats(int NumDig);

/// `value` written with `format` (one of number_formats' FmtSTr).
[[nodiscard]] std::string signed_text(const std::string& format, double value);

/// Whether a signed value moves one digit width right to stay aligned: its whole part has one
/// digit (-9..9) where the template has two (every NumDig but 0).
[[nodiscard]] bool shift_one_digit(double value, int NumDig);

/// The width (pixels) of a text in the window's font at its current size.
using TextWidth = std::function<int(std::string_view)>;

/// The first-frame layout of the text window. Positions are pixels from the window's left
/// edge; a field not shown keeps 0.
struct TextLayout {
    NumberFormats formats;
    int NumWid = 0;   ///< widest digit
    int dpvar = 0;    ///< "M:", the widest label
    int dp_plus = 0;  ///< VPStr
    int dp_minus = 0; ///< VMStr
    int tim_wid = 0;  ///< "00:00:00"
    int dx_sep = 0;   ///< " "
    int dx_000 = 0;   ///< "000"
    int x_IAS = 0, x_GS = 0, x_TAS = 0, x_VA1 = 0, x_VNE = 0, x_Uni = 0, x_G = 0;
    int x_Net = 0, x_Net_I = 0, x_Int = 0, x_Fla = 0, x_ARR = 0, x_Bal = 0;
    int x_Tim = 0, x_TskTim = 0, x_Clk = 0, x_WalClk = 0;
    /// Width of the ballast bar at the right edge, 0 without it.
    int xwb = 0;
    /// The window width the fields need.
    int width = 0;
    /// Console trace of the pass.
    std::vector<std::string> trace;
};

/// How a field's value is written.
enum class FieldFormat {
    /// A whole number in a column three digits wide, right-aligned. The column layout puts a
    /// bare number after the left margin and a labelled one against the right margin.
    Whole,
    /// A vario-like value in the NumDig format, after its label, one digit further right when
    /// its whole part has one digit; against the right margin in the column layout.
    Signed,
    /// A text after its label, the two drawn as one text.
    Text,
    /// A timer or a clock: on the line after its label and a space; in the column layout the
    /// label at the left and the time against the right margin.
    Time,
};

/// Fields the layouts treat together: the column layout works out its width group by group,
/// in the order of this list, and on the line the times stand a margin apart from the rest.
enum class FieldGroup { Speed, Unit, Flaps, Signed, Time, Ballast };

/// One field of the text window. Exactly one value function is set, the one its format reads.
struct StripField {
    TextField field;
    bool (*shown)(const DisplayStateRecord& s); ///< its switch
    std::string_view label;                     ///< drawn before the value; "" none
    FieldFormat format;
    FieldGroup group;
    int (*whole)(const DisplayStateRecord& s) = nullptr;             ///< Whole
    float (*number)(const DisplayStateRecord& s) = nullptr;          ///< Signed
    std::string_view (*text)(const DisplayStateRecord& s) = nullptr; ///< Text, Time
    /// Text and Time: the widest text the line keeps room for; a Time's includes its label.
    std::string_view (*widest)(const DisplayStateRecord& s) = nullptr;
    /// Its colour at `now` (s); none keeps the colour in force.
    RgbF (*colour)(const DisplayStateRecord& s, double now) = nullptr;
    /// Its column in the one-line layout; none for a field never on the line.
    int TextLayout::*x = nullptr;
    /// A space follows it on the line.
    bool spaced = true;
    /// The flap arrow follows it, with DisFla 1.
    bool arrow = false;
    /// Signed: while this holds the value is shown as a whole number after `stopped_label`.
    bool (*stopped)(const DisplayStateRecord& s) = nullptr;
    std::string_view stopped_label;
};

/// The row of `field` in the table of fields.
[[nodiscard]] const StripField& strip_field(TextField field);

/// The shown fields from left to right in the one-line layout (the unit after the speeds;
/// the total-energy vario is never on the line).
[[nodiscard]] std::vector<TextField> line_fields(const DisplayStateRecord& s);
/// The shown fields from the bottom line up in the column layout, the unit first.
[[nodiscard]] std::vector<TextField> column_fields(const DisplayStateRecord& s);

/// A Signed field's label and value text as drawn now (the stopped form included), and
/// whether the value moves one digit width right.
struct SignedText {
    std::string_view label;
    std::string text;
    bool whole = false; ///< the stopped form: aligned by its own width, never moved
    bool shift = false;
};
[[nodiscard]] SignedText signed_field_text(const StripField& row, const DisplayStateRecord& s,
                                           const NumberFormats& formats);

/// Lays the text window out for the display state `s` (switches, margins, NumDig, unit and
/// longest flap name, window height for the ballast bar, the status mark) with texts measured
/// by `width`. The line keeps room for the status mark at its end, so that the mark never
/// hides the last field.
[[nodiscard]] TextLayout lay_out_text(const DisplayStateRecord& s, const TextWidth& width);

/// The right edge that the column layout aligns numbers on (pixels).
[[nodiscard]] constexpr int right_margin(int window_width, int HoriMargin, int xwb) {
    return window_width - HoriMargin - xwb;
}

/// Baseline (pixels from the bottom) of line `line` (0 the bottom one) of the text window.
[[nodiscard]] constexpr int line_baseline(int line, int FontSize, int VertMargin) {
    return 2 * VertMargin + line * (FontSize + VertMargin);
}

/// Side of the status mark (recording, netto mode) in the top right corner (pixels).
[[nodiscard]] constexpr int status_mark_size(int FontSize, int HoriMargin, int VertMargin) {
    return FontSize + HoriMargin - 2 * VertMargin;
}

/// The waiting text after `count` timer ticks: "Waiting for data" gains a dot every 20 ticks
/// up to 12 dots, then loses them again one by one, and so on.
[[nodiscard]] std::string waiting_text(int count);

} // namespace kalveo
