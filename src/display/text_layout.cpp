#include "display/text_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace kalveo {

namespace {

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

// The stopwatch is drawn with "S: " before its time: its column is measured with that label,
// or the wider "S" would run into the next field.
constexpr std::string_view kStopwatchTemplate = "S: 00:00:00";

constexpr int kLineBallastBar = 15;
constexpr int kColumnBallastBar = 12;

bool is_time_field(TextField field) {
    return field >= TextField::Stopwatch;
}

bool any_signed_value(const DisplayStateRecord& s) {
    return on(s.DisNet) || on(s.DisInt_I) || on(s.DisNet_I) || on(s.DisVar) || bit(s.DisG, 0);
}

int ballast_bar_width(const DisplayStateRecord& s, int limit) {
    if (!bit(s.DisBal, 1)) return 0;
    return std::min(static_cast<int>(s.DisWinInfo.height * 0.5), limit);
}

template <typename... Args> std::string trace_line(const char* format, Args... args) {
    char text[160];
    std::snprintf(text, sizeof text, format, args...);
    return text;
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

void lay_out_line(const DisplayStateRecord& s, const TextWidth& width, TextLayout& l) {
    l.dx_sep = width(" ");
    l.dx_000 = width("000");
    const int sep = l.dx_sep;
    const int value = width(l.formats.V0Str);
    int x = s.HoriMargin;
    const auto place = [&x](int& at, int advance) {
        at = x;
        x += advance;
    };
    bool apart = false;
    for (const TextField field : line_fields(s)) {
        // The timers and clocks stand a margin apart from the flight values.
        if (is_time_field(field) && !apart) {
            x += s.HoriMargin;
            apart = true;
        }
        switch (field) {
        case TextField::IAS:
            place(l.x_IAS, l.dx_000 + sep);
            break;
        case TextField::GS:
            place(l.x_GS, l.dx_000 + sep);
            break;
        case TextField::TAS:
            place(l.x_TAS, l.dx_000 + sep);
            break;
        case TextField::VA1:
            place(l.x_VA1, l.dx_000 + sep);
            break;
        case TextField::VNE:
            place(l.x_VNE, l.dx_000 + sep);
            break;
        case TextField::Unit:
            place(l.x_Uni, width(s.cunit) + sep);
            break;
        case TextField::GLoad:
            place(l.x_G, width("G:") + value + sep);
            break;
        case TextField::Netto:
            place(l.x_Net, width("n:") + value + sep);
            break;
        case TextField::NettoAverage:
            place(l.x_Net_I, width("N:") + value + sep);
            break;
        case TextField::Integrator:
            place(l.x_Int, width("I:") + value + sep);
            break;
        case TextField::Flaps:
            place(l.x_Fla, width("Fl:") + width(s.cflapmax));
            if (s.DisFla == 1) {
                place(l.x_ARR, width("0") + sep);
            } else {
                x += sep;
            }
            break;
        case TextField::Ballast:
            place(l.x_Bal, width("WB:") + width("000"));
            break;
        case TextField::Stopwatch:
            place(l.x_Tim, width(kStopwatchTemplate) + sep);
            break;
        case TextField::TaskTimer:
            place(l.x_TskTim, width("T: 00:00:00") + sep);
            break;
        case TextField::Clock:
            place(l.x_Clk, width("00:00:00") + sep);
            break;
        case TextField::WallClock:
            place(l.x_WalClk, width("W: 00:00:00") + sep);
            break;
        case TextField::Vario:
            break;
        }
    }
    if (!apart) x += s.HoriMargin;
    if (s.Nrec != 0) x += status_mark_size(s.FontSize, s.HoriMargin, s.VertMargin);
    l.xwb = ballast_bar_width(s, kLineBallastBar);
    x += l.xwb;
    l.width = x + 2;
    l.trace.push_back(trace_line("DisFla,DisBal,x_Fla,x_ARR,x_Bal,xwb,ppend %d %d %d %d %d %d %d\n",
                                 s.DisFla, s.DisBal, l.x_Fla, l.x_ARR, l.x_Bal, l.xwb, x));
}

void lay_out_column(const DisplayStateRecord& s, const TextWidth& width, TextLayout& l) {
    const int margins = 2 * s.HoriMargin;
    int wide = width("000") + margins;
    const auto need = [&wide](int w) { wide = std::max(wide, w); };
    if (on(s.DisUni)) need(width(s.cunit) + margins);
    if (on(s.DisFla)) {
        l.x_Fla = s.HoriMargin;
        l.x_ARR = s.HoriMargin + width("Fl:") + width(s.cflapmax);
        need(l.x_ARR + (s.DisFla == 1 ? width("0") + s.HoriMargin : 0));
        l.trace.push_back(trace_line("Fl %d\n", wide));
    }
    if (any_signed_value(s)) {
        need(l.dpvar + margins + width(l.formats.V0Str));
        l.trace.push_back(trace_line("M: %d\n", wide));
    }
    if (on(s.DisTim)) need(width(kStopwatchTemplate) + margins);
    if (on(s.DisTskTim)) need(width("T: 00:00:00") + margins);
    if (on(s.DisClk)) need(width("00:00:00") + margins);
    if (on(s.DisWalClk)) need(width("W: 00:00:00") + margins);
    if (on(s.DisTim) || on(s.DisTskTim) || on(s.DisClk) || on(s.DisWalClk))
        l.trace.push_back(trace_line("t: %d\n", wide));
    if (bit(s.DisBal, 0)) {
        need(width("WB:") + margins + width("000"));
        l.trace.push_back(trace_line("WB %d\n", wide));
    }
    l.xwb = ballast_bar_width(s, kColumnBallastBar);
    l.width = wide + l.xwb + 2;
}

} // namespace

namespace {

// The switch that shows each field.
bool shown(const DisplayStateRecord& s, TextField field) {
    switch (field) {
    case TextField::IAS:
        return on(s.DisIAS);
    case TextField::GS:
        return on(s.DisGS);
    case TextField::TAS:
        return on(s.DisTAS);
    case TextField::VA1:
        return on(s.DisVA1);
    case TextField::VNE:
        return on(s.DisVNE);
    case TextField::Unit:
        return on(s.DisUni);
    case TextField::GLoad:
        return bit(s.DisG, 0);
    case TextField::Vario:
        return on(s.DisVar);
    case TextField::Netto:
        return on(s.DisNet);
    case TextField::NettoAverage:
        return on(s.DisNet_I);
    case TextField::Integrator:
        return on(s.DisInt_I);
    case TextField::Flaps:
        return on(s.DisFla);
    case TextField::Ballast:
        return bit(s.DisBal, 0);
    case TextField::Stopwatch:
        return on(s.DisTim);
    case TextField::TaskTimer:
        return on(s.DisTskTim);
    case TextField::Clock:
        return on(s.DisClk);
    case TextField::WallClock:
        return on(s.DisWalClk);
    }
    return false;
}

template <std::size_t N>
std::vector<TextField> shown_in_order(const DisplayStateRecord& s,
                                      const std::array<TextField, N>& order) {
    std::vector<TextField> fields;
    for (const TextField field : order)
        if (shown(s, field)) fields.push_back(field);
    return fields;
}

using F = TextField;
constexpr std::array kLineOrder{F::IAS,          F::GS,         F::TAS,   F::VA1,
                                F::VNE,          F::Unit,       F::GLoad, F::Netto,
                                F::NettoAverage, F::Integrator, F::Flaps, F::Ballast,
                                F::Stopwatch,    F::TaskTimer,  F::Clock, F::WallClock};
constexpr std::array kColumnOrder{
    F::Unit,    F::TAS,       F::IAS,       F::GS,           F::VA1,        F::VNE,
    F::GLoad,   F::Vario,     F::Netto,     F::NettoAverage, F::Integrator, F::Flaps,
    F::Ballast, F::Stopwatch, F::TaskTimer, F::Clock,        F::WallClock};

} // namespace

std::vector<TextField> line_fields(const DisplayStateRecord& s) {
    return shown_in_order(s, kLineOrder);
}

std::vector<TextField> column_fields(const DisplayStateRecord& s) {
    return shown_in_order(s, kColumnOrder);
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
