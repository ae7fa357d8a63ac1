#include "display/text_layout.h"

#include "display/face_colours.h"
#include "display/tas_colour.h"
#include "display/text_colours.h"
#include "display/whole_numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace kalveo {

namespace {

using S = DisplayStateRecord;

bool on(int flag) {
    return flag != 0;
}
bool bit(int flags, int which) {
    return (flags & (1 << which)) != 0;
}

constexpr std::string_view kWaiting = "Waiting for data........................";
constexpr int kWaitingShortest = 16;
constexpr int kWaitingDots = 12;
constexpr int kTicksPerWaitingStep = 20;

constexpr int kLineBallastBar = 15;
constexpr int kColumnBallastBar = 12;

using F = TextField;
using Fmt = FieldFormat;
using G = FieldGroup;

// The fields in the order of TextField. Speeds keep room for three digits, signed values for
// the NumDig template, texts and times for their widest text.
constexpr std::array<StripField, 17> kFields{{
    {.field = F::IAS,
     .shown = [](const S& s) { return on(s.DisIAS); },
     .format = Fmt::Whole,
     .group = G::Speed,
     .whole = [](const S& s) { return s.IAS; },
     .colour = [](const S& s, double) { return s.ColIAS; },
     .x = &TextLayout::x_IAS},
    {.field = F::GS,
     .shown = [](const S& s) { return on(s.DisGS); },
     .format = Fmt::Whole,
     .group = G::Speed,
     .whole = [](const S& s) { return s.GS; },
     .colour = [](const S& s, double) { return s.ColGS; },
     .x = &TextLayout::x_GS},
    {.field = F::TAS,
     .shown = [](const S& s) { return on(s.DisTAS); },
     .format = Fmt::Whole,
     .group = G::Speed,
     .whole = [](const S& s) { return s.tas; },
     .colour = [](const S& s, double) { return tas_colour(s); },
     .x = &TextLayout::x_TAS},
    {.field = F::VA1,
     .shown = [](const S& s) { return on(s.DisVA1); },
     .format = Fmt::Whole,
     .group = G::Speed,
     .whole = [](const S& s) { return s.vne - s.status.margin; },
     .colour = [](const S& s, double) { return s.ColVA1; },
     .x = &TextLayout::x_VA1},
    {.field = F::VNE,
     .shown = [](const S& s) { return on(s.DisVNE); },
     .format = Fmt::Whole,
     .group = G::Speed,
     .whole = [](const S& s) { return s.vne; },
     .colour = [](const S& s, double) { return s.ColVNE; },
     .x = &TextLayout::x_VNE},
    // In the colour of the field before it on the line; the column draws it first, in the
    // TAS colour.
    {.field = F::Unit,
     .shown = [](const S& s) { return on(s.DisUni); },
     .format = Fmt::Text,
     .group = G::Unit,
     .text = [](const S& s) -> std::string_view { return s.cunit; },
     .widest = [](const S& s) -> std::string_view { return s.cunit; },
     .x = &TextLayout::x_Uni},
    {.field = F::GLoad,
     .shown = [](const S& s) { return bit(s.DisG, 0); },
     .label = "G:",
     .format = Fmt::Signed,
     .group = G::Signed,
     .number = [](const S& s) { return s.gforce; },
     .colour = [](const S& s, double) { return s.ColG; },
     .x = &TextLayout::x_G},
    {.field = F::Vario,
     .shown = [](const S& s) { return on(s.DisVar); },
     .label = "v:",
     .format = Fmt::Signed,
     .group = G::Signed,
     .number = [](const S& s) { return s.evario; },
     .colour = [](const S&, double) { return kBlack; }},
    {.field = F::Netto,
     .shown = [](const S& s) { return on(s.DisNet); },
     .label = "n:",
     .format = Fmt::Signed,
     .group = G::Signed,
     .number = [](const S& s) { return s.nvario; },
     .colour = [](const S& s, double) { return s.ColNet; },
     .x = &TextLayout::x_Net},
    // Stopped, the netto average shows the height it gained ("Dz:") as a whole number.
    {.field = F::NettoAverage,
     .shown = [](const S& s) { return on(s.DisNet_I); },
     .label = "N:",
     .format = Fmt::Signed,
     .group = G::Signed,
     .number = [](const S& s) { return s.nvario_m; },
     .colour = [](const S& s, double) { return netto_average_colour(s); },
     .x = &TextLayout::x_Net_I,
     .stopped = [](const S& s) { return s.status.netto_average == RunState::stopped; },
     .stopped_label = "Dz:"},
    {.field = F::Integrator,
     .shown = [](const S& s) { return on(s.DisInt_I); },
     .label = "I:",
     .format = Fmt::Signed,
     .group = G::Signed,
     .number = [](const S& s) { return s.ivario_m; },
     .colour = [](const S& s, double) { return integrator_colour(s); },
     .x = &TextLayout::x_Int},
    {.field = F::Flaps,
     .shown = [](const S& s) { return on(s.DisFla); },
     .label = "Fl:",
     .format = Fmt::Text,
     .group = G::Flaps,
     .text = [](const S& s) -> std::string_view { return s.cflap; },
     .widest = [](const S& s) -> std::string_view { return s.cflapmax; },
     .colour = flap_text_colour,
     .x = &TextLayout::x_Fla,
     .arrow = true},
    // The last of the flight values: the margin before the times follows it, no space.
    {.field = F::Ballast,
     .shown = [](const S& s) { return bit(s.DisBal, 0); },
     .label = "WB:",
     .format = Fmt::Whole,
     .group = G::Ballast,
     .whole = [](const S& s) { return s.wmass; },
     .colour = [](const S& s, double) { return s.ColWB0; },
     .x = &TextLayout::x_Bal,
     .spaced = false},
    // The stopwatch is drawn with "S: " before its time: its room is measured with that label,
    // or the wider "S" would run into the next field.
    {.field = F::Stopwatch,
     .shown = [](const S& s) { return on(s.DisTim); },
     .label = "S:",
     .format = Fmt::Time,
     .group = G::Time,
     .text = [](const S& s) -> std::string_view { return s.buf_tim; },
     .widest = [](const S&) -> std::string_view { return "S: 00:00:00"; },
     .colour = [](const S& s, double) { return s.ColTim; },
     .x = &TextLayout::x_Tim},
    {.field = F::TaskTimer,
     .shown = [](const S& s) { return on(s.DisTskTim); },
     .label = "T:",
     .format = Fmt::Time,
     .group = G::Time,
     .text = [](const S& s) -> std::string_view { return s.buf_tsktim; },
     .widest = [](const S&) -> std::string_view { return "T: 00:00:00"; },
     .colour = [](const S& s, double) { return s.ColTskTim; },
     .x = &TextLayout::x_TskTim},
    {.field = F::Clock,
     .shown = [](const S& s) { return on(s.DisClk); },
     .format = Fmt::Time,
     .group = G::Time,
     .text = [](const S& s) -> std::string_view { return s.buf_clk; },
     .widest = [](const S&) -> std::string_view { return "00:00:00"; },
     .colour = [](const S& s, double) { return s.ColClk; },
     .x = &TextLayout::x_Clk},
    // Its text carries its own "W: ".
    {.field = F::WallClock,
     .shown = [](const S& s) { return on(s.DisWalClk); },
     .format = Fmt::Text,
     .group = G::Time,
     .text = [](const S& s) -> std::string_view { return s.buf_walclk; },
     .widest = [](const S&) -> std::string_view { return "W: 00:00:00"; },
     .colour = [](const S& s, double) { return s.ColClk; },
     .x = &TextLayout::x_WalClk},
}};

// What the console is told about the column's width after each group, in the order the
// width is worked out.
struct ColumnGroup {
    FieldGroup group;
    const char* trace; ///< nullptr: nothing
};
constexpr std::array<ColumnGroup, 5> kColumnGroups{{{G::Unit, nullptr},
                                                    {G::Flaps, "Fl %d\n"},
                                                    {G::Signed, "M: %d\n"},
                                                    {G::Time, "t: %d\n"},
                                                    {G::Ballast, "WB %d\n"}}};

constexpr bool in_field_order() {
    for (std::size_t i = 0; i < kFields.size(); ++i)
        if (static_cast<std::size_t>(kFields[i].field) != i) return false;
    return true;
}
static_assert(in_field_order(), "the table of fields follows TextField");

template <std::size_t N>
std::vector<TextField> shown_in_order(const S& s, const std::array<TextField, N>& order) {
    std::vector<TextField> fields;
    for (const TextField field : order)
        if (strip_field(field).shown(s)) fields.push_back(field);
    return fields;
}

int ballast_bar_width(const S& s, int limit) {
    if (!bit(s.DisBal, 1)) return 0;
    return std::min(static_cast<int>(s.DisWinInfo.height * 0.5), limit);
}

template <typename... Args> std::string trace_line(const char* format, Args... args) {
    char text[160];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

/// The width of a label; no label takes no room.
int label_width(const TextWidth& width, std::string_view label) {
    return label.empty() ? 0 : width(label);
}

void measure_common(TextLayout& l, const TextWidth& width) {
    for (char digit = '0'; digit <= '9'; ++digit)
        l.NumWid = std::max(l.NumWid, width(std::string_view(&digit, 1)));
    l.dpvar = width("M:");
    l.dp_plus = width(l.formats.VPStr);
    l.dp_minus = width(l.formats.VMStr);
    l.tim_wid = width("00:00:00");
    l.trace.push_back(trace_line(" %s %d %s %d %s \n", l.formats.VPStr.c_str(), l.dp_plus,
                                 l.formats.VMStr.c_str(), l.dp_minus, l.formats.FmtSTr.c_str()));
}

/// The room a field takes on the line, before the arrow and the space after it.
int line_room(const StripField& row, const S& s, const TextWidth& width, const TextLayout& l) {
    switch (row.format) {
    case Fmt::Whole:
        return label_width(width, row.label) + l.dx_000;
    case Fmt::Signed:
        return label_width(width, row.label) + width(l.formats.V0Str);
    case Fmt::Text:
        return label_width(width, row.label) + width(row.widest(s));
    case Fmt::Time:
        return width(row.widest(s));
    }
    return 0;
}

void lay_out_line(const S& s, const TextWidth& width, TextLayout& l) {
    l.dx_sep = width(" ");
    l.dx_000 = width("000");
    int x = s.HoriMargin;
    bool apart = false;
    for (const TextField field : line_fields(s)) {
        const StripField& row = strip_field(field);
        // The timers and clocks stand a margin apart from the flight values.
        if (row.group == G::Time && !apart) {
            x += s.HoriMargin;
            apart = true;
        }
        l.*row.x = x;
        x += line_room(row, s, width, l);
        if (row.arrow && s.DisFla == 1) {
            l.x_ARR = x;
            x += width("0");
        }
        if (row.spaced) x += l.dx_sep;
    }
    if (!apart) x += s.HoriMargin;
    if (s.Nrec != 0) x += status_mark_size(s.FontSize, s.HoriMargin, s.VertMargin);
    l.xwb = ballast_bar_width(s, kLineBallastBar);
    x += l.xwb;
    l.width = x + 2;
    l.trace.push_back(trace_line("DisFla,DisBal,x_Fla,x_ARR,x_Bal,xwb,ppend %d %d %d %d %d %d %d\n",
                                 s.DisFla, s.DisBal, l.x_Fla, l.x_ARR, l.x_Bal, l.xwb, x));
}

/// The column width a field needs, margins included; the flap field also places its arrow.
int column_need(const StripField& row, const S& s, const TextWidth& width, TextLayout& l) {
    const int margins = 2 * s.HoriMargin;
    switch (row.format) {
    case Fmt::Whole:
        return label_width(width, row.label) + width("000") + margins;
    case Fmt::Signed:
        // Every signed value lines up behind the widest label.
        return l.dpvar + margins + width(l.formats.V0Str);
    case Fmt::Text:
        if (row.arrow) {
            // Without its arrow the flap text may reach into the right margin.
            l.x_Fla = s.HoriMargin;
            l.x_ARR = s.HoriMargin + width(row.label) + width(row.widest(s));
            return l.x_ARR + (s.DisFla == 1 ? width("0") + s.HoriMargin : 0);
        }
        return label_width(width, row.label) + width(row.widest(s)) + margins;
    case Fmt::Time:
        return width(row.widest(s)) + margins;
    }
    return 0;
}

void lay_out_column(const S& s, const TextWidth& width, TextLayout& l) {
    int wide = width("000") + 2 * s.HoriMargin;
    for (const ColumnGroup& group : kColumnGroups) {
        bool any = false;
        for (const StripField& row : kFields) {
            if (row.group != group.group || !row.shown(s)) continue;
            wide = std::max(wide, column_need(row, s, width, l));
            any = true;
        }
        if (any && group.trace != nullptr) l.trace.push_back(trace_line(group.trace, wide));
    }
    l.xwb = ballast_bar_width(s, kColumnBallastBar);
    l.width = wide + l.xwb + 2;
}

} // namespace

const StripField& strip_field(TextField field) {
    return kFields[static_cast<std::size_t>(field)];
}

// The orders are built where they are used: kept as static arrays, the compiler puts them in
// writable data.
std::vector<TextField> line_fields(const DisplayStateRecord& s) {
    constexpr std::array kLineOrder{F::IAS,          F::GS,         F::TAS,   F::VA1,
                                           F::VNE,          F::Unit,       F::GLoad, F::Netto,
                                           F::NettoAverage, F::Integrator, F::Flaps, F::Ballast,
                                           F::Stopwatch,    F::TaskTimer,  F::Clock, F::WallClock};
    return shown_in_order(s, kLineOrder);
}

std::vector<TextField> column_fields(const DisplayStateRecord& s) {
    constexpr std::array kColumnOrder{
        F::Unit,    F::TAS,       F::IAS,       F::GS,           F::VA1,        F::VNE,
        F::GLoad,   F::Vario,     F::Netto,     F::NettoAverage, F::Integrator, F::Flaps,
        F::Ballast, F::Stopwatch, F::TaskTimer, F::Clock,        F::WallClock};
    return shown_in_order(s, kColumnOrder);
}

SignedText signed_field_text(const StripField& row, const DisplayStateRecord& s,
                             const NumberFormats& formats) {
    const float value = row.number(s);
    if (row.stopped != nullptr && row.stopped(s)) {
        char text[24];
        std::snprintf(text, sizeof text, "%5d", whole(value));
        return {row.stopped_label, text, true, false};
    }
    return {row.label, signed_text(formats.FmtSTr, value), false, shift_one_digit(value, s.NumDig)};
}

NumberFormats number_formats(int NumDig) {
    switch (std::clamp(NumDig, -4, 4)) {
    case -4:
        return {"%7.4f", " 00.0000", "-00.0000", "-00.0000"};
    case -3:
        return {"%6.3f", " 00.000", "-00.000", "-00.000"};
    case -2:
        return {"%5.2f", " 00.00", "-00.00", "-00.00"};
    case -1:
        return {"%4.1f", " 00.0", "-00.0", "-00.0"};
    case 0:
        return {"%+4.1f", "+0.0", "-0.0", "-0.0"};
    case 1:
        return {"%+4.1f", "+00.0", "-00.0", "+00.0"};
    case 2:
        return {"%+5.2f", "+00.00", "-00.00", "+00.00"};
    case 3:
        return {"%+6.3f", "+00.000", "-00.000", "+00.000"};
    default:
        return {"%+7.4f", "+00.0000", "-00.0000", "+00.0000"};
    }
}

std::string signed_text(const std::string& format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format.c_str(), value);
    return text;
}

bool shift_one_digit(double value, int NumDig) {
    if (NumDig == 0 || !std::isfinite(value)) return false;
    const double whole = std::trunc(value);
    return whole >= -9.0 && whole <= 9.0;
}

TextLayout lay_out_text(const DisplayStateRecord& s, const TextWidth& width) {
    TextLayout l;
    l.formats = number_formats(s.NumDig);
    measure_common(l, width);
    if (s.HorizontalDisplay != 0) {
        lay_out_line(s, width, l);
    } else {
        lay_out_column(s, width, l);
    }
    return l;
}

std::string waiting_text(int count) {
    // Redraws are asked for on even ticks and drawn on the odd tick after: a step at tick 20
    // is both in the redraw key and in the frame drawn at tick 21.
    const int steps = count >= 0 ? count / kTicksPerWaitingStep : 0;
    const int phase = steps % (2 * kWaitingDots);
    const int dots = phase <= kWaitingDots ? phase : 2 * kWaitingDots - phase;
    return std::string(kWaiting.substr(0, static_cast<std::size_t>(kWaitingShortest + dots)));
}

} // namespace kalveo
