#include "glider/vne_lookup.h"

#include "config/records.h"
#include "glider/glider_data.h"
#include "platform/dialogs.h"
#include "report/log.h"
#include "report/messages.h"
#include "report/stop.h"
#include "report/trace.h"
#include "text/blanks.h"
#include "text/number_read.h"

#include <cstdio>
#include <iostream>

namespace kalveo {
namespace {

constexpr double kKmhPerMs = 3.6;
constexpr std::size_t kNameLength = 32;
constexpr char kDefaultGlider[] = "Blanik";

std::string ask_glider(int attempt, const std::string& prompt) {
    log_message_f(prompt + " :");
    if (attempt <= kVneBoxAttempts) {
        return tinyfd_inputBox("Kalveo", prompt, kDefaultGlider).value_or("");
    }
    trace("%s :\n", prompt.c_str());
    std::fflush(stdout);
    std::string line;
    if (!std::getline(std::cin, line)) {
        std::cin.clear();
        return {};
    }
    return line;
}

} // namespace

std::string clean_glider_answer(std::string_view answer) {
    std::string name(answer.substr(0, kNameLength));
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 20) c = ' ';
    }
    return std::string(trim_right(name));
}

std::optional<double> typed_vne(std::string_view text) {
    const std::optional<double> kmh = read_real(text);
    // No glider flies at or below zero: such a number is no VNE.
    if (!kmh || !(*kmh > 0)) return std::nullopt;
    return kmh;
}

GliderValues get_vne(std::string& ggg, GliderValues values, const MessagesRecord& texts,
                     int cndrvers) {
    const std::string prompt(trim_right(texts.msggldrnam));
    for (int attempt = 1; attempt <= kVneAttempts; ++attempt) {
        if (is_blank_text(ggg)) {
            ggg = clean_glider_answer(ask_glider(attempt, prompt));
        }
        // The glider goes by the name given until an entry of the file names it.
        values.glnam = ggg;
        if (const std::optional<double> kmh = typed_vne(ggg)) {
            values.vne = *kmh / kKmhPerMs;
            return values;
        }
        if (!is_blank_text(ggg)) {
            const GliderScan scan = lookup_glider(kGliderDataFile, ggg, cndrvers, values);
            trace("Get_VNE %d %s\n", scan.entries, ggg.c_str());
            // A name the file does not list must not leave the alarm on a
            // VNE that is not the glider's own.
            if (scan.vne_found) {
                trace("\r%s\n", values.glnam.c_str());
                return values;
            }
        }
        error_message_tit(kBoxWarning, kDefaultBoxTitle,
                          std::string(trim(ggg)) + std::string(trim_right(texts.msfgldnfnd)));
        ggg.clear();
    }
    stop_program("INFINITE LOOP");
}

} // namespace kalveo
