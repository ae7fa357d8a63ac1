#include "settings_snapshot.h"

#include "config/defaults.h"
#include "config/records.h"
#include "flight/records.h"
#include "keys/records.h"
#include "link/records.h"
#include "report/records.h"
#include "sim/records.h"
#include "sound/records.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kalveo::testing {

namespace {

void put(SettingsSnapshot& s, const char* name, int value) {
    s.exact[name] = std::to_string(value);
}
void put(SettingsSnapshot& s, const char* name, bool value) {
    s.exact[name] = value ? "true" : "false";
}
void put(SettingsSnapshot& s, const char* name, const std::string& value) {
    s.exact[name] = value;
}
void put(SettingsSnapshot& s, const char* name, double value) {
    s.reals[name] = value;
}

} // namespace

#define KALVEO_PUT(record, field) put(s, #record "." #field, record.field)

SettingsSnapshot take_settings_snapshot() {
    SettingsSnapshot s;
    KALVEO_PUT(option, posx);
    KALVEO_PUT(option, posy);
    KALVEO_PUT(option, fntsiz);
    KALVEO_PUT(option, horizontal);
    KALVEO_PUT(option, horfntsiz);
    KALVEO_PUT(option, disnet);
    KALVEO_PUT(option, disnet_i);
    KALVEO_PUT(option, disint);
    KALVEO_PUT(option, disint_i);
    KALVEO_PUT(option, dismc);
    KALVEO_PUT(option, distim);
    KALVEO_PUT(option, disias);
    KALVEO_PUT(option, distas);
    KALVEO_PUT(option, dishdg);
    KALVEO_PUT(option, diswnd);
    KALVEO_PUT(option, disfla);
    KALVEO_PUT(option, northup);
    KALVEO_PUT(option, nunit);
    KALVEO_PUT(option, disvne);
    KALVEO_PUT(option, disva1);
    KALVEO_PUT(option, disbal);
    KALVEO_PUT(option, disuni);
    KALVEO_PUT(option, horizarti);
    KALVEO_PUT(option, horposx);
    KALVEO_PUT(option, horposy);
    KALVEO_PUT(option, horwid);
    KALVEO_PUT(option, horopa);
    KALVEO_PUT(option, qdebug);
    KALVEO_PUT(option, qflap_beep);
    KALVEO_PUT(option, qfe);
    KALVEO_PUT(option, qauto_unit);
    KALVEO_PUT(option, qrecord);
    KALVEO_PUT(option, txtopa);
    KALVEO_PUT(option, colflap);
    KALVEO_PUT(option, colwb);
    KALVEO_PUT(option, colvne);
    KALVEO_PUT(option, colva1);
    KALVEO_PUT(option, coltas);
    KALVEO_PUT(option, colhdg);
    KALVEO_PUT(option, colwnd);
    KALVEO_PUT(option, colias);
    KALVEO_PUT(option, colnet);
    KALVEO_PUT(option, colint);
    KALVEO_PUT(option, coltim);
    KALVEO_PUT(option, colavn);
    KALVEO_PUT(option, distsktim);
    KALVEO_PUT(option, coltsktim);
    KALVEO_PUT(option, disclk);
    KALVEO_PUT(option, diswalclk);
    KALVEO_PUT(option, colclk);
    KALVEO_PUT(option, horbgd);
    KALVEO_PUT(option, txtbgd);
    KALVEO_PUT(option, kbdhook);
    KALVEO_PUT(option, qflap_g);
    KALVEO_PUT(option, horbgdtrans);
    KALVEO_PUT(option, qflap_c);
    KALVEO_PUT(option, qball_c);
    KALVEO_PUT(option, qmc_c);
    KALVEO_PUT(option, q_sp2fly);
    KALVEO_PUT(option, qrestart);
    KALVEO_PUT(option, numdig);
    KALVEO_PUT(option, stopwait);
    KALVEO_PUT(option, arrtyp);
    KALVEO_PUT(option, qauto_upd);
    KALVEO_PUT(option, dissli);
    KALVEO_PUT(option, colsli);
    KALVEO_PUT(option, disg);
    KALVEO_PUT(option, colg);
    KALVEO_PUT(option, colgs);
    KALVEO_PUT(option, disgs);
    KALVEO_PUT(option, lndopt);
    KALVEO_PUT(option, nlang);
    KALVEO_PUT(option, qkeepwnd);
    KALVEO_PUT(option, minthturns);
    KALVEO_PUT(option, kbdautorst);
    KALVEO_PUT(option, qbugwrn);
    KALVEO_PUT(option, qfrwtgate);

    KALVEO_PUT(keydef, keyinc);
    KALVEO_PUT(keydef, keydec);
    KALVEO_PUT(keydef, keyhor);
    KALVEO_PUT(keydef, keysfl);
    KALVEO_PUT(keydef, keyvup);
    KALVEO_PUT(keydef, keyvdn);
    KALVEO_PUT(keydef, keyave);
    KALVEO_PUT(keydef, keytim);
    KALVEO_PUT(keydef, keyavn);
    KALVEO_PUT(keydef, keytsktim);
    KALVEO_PUT(keydef, keyhuds);
    KALVEO_PUT(keydef_cndr, scnchatc);
    KALVEO_PUT(keydef_cndr, keychato);
    KALVEO_PUT(keydef_cndr, scnchato);
    KALVEO_PUT(keydef_cndr, scngrst);

    KALVEO_PUT(communic_0, udp_port);
    KALVEO_PUT(communic_0, fwd_port);
    KALVEO_PUT(communic_c, fwd_addr);
    KALVEO_PUT(my_tas_1, numver_fich);
    KALVEO_PUT(my_tas_c, fntnam);
    KALVEO_PUT(my_tas_c, lang);
    KALVEO_PUT(my_tas_c, cunit);
    KALVEO_PUT(my_tas_0, vne);
    KALVEO_PUT(my_tas_0, dv1);
    KALVEO_PUT(my_tas_0, dv2);
    KALVEO_PUT(my_tas_0, flapmxbank);
    KALVEO_PUT(my_tas_0, tau_v);
    KALVEO_PUT(my_tas_0, tau_f);
    KALVEO_PUT(my_tas_0, atmo_mod);
    KALVEO_PUT(my_tas_0, fconv);
    KALVEO_PUT(beeps, snddev);
    KALVEO_PUT(volumes, sndvol);
    KALVEO_PUT(volumes, flapvol);
    KALVEO_PUT(inst00, condor_1_path);
    KALVEO_PUT(inst00, wine_prefix);
    KALVEO_PUT(cmndta000, text_editor);
    KALVEO_PUT(cmndta001, qfr);
    return s;
}

#undef KALVEO_PUT

::testing::AssertionResult same_settings(const SettingsSnapshot& expected,
                                         const SettingsSnapshot& actual,
                                         double relative_tolerance) {
    std::string differences;
    for (const auto& [name, value] : expected.exact) {
        const auto it = actual.exact.find(name);
        const std::string other = it == actual.exact.end() ? "(missing)" : it->second;
        if (other != value) differences += "\n  " + name + ": " + value + " -> " + other;
    }
    for (const auto& [name, value] : expected.reals) {
        const auto it = actual.reals.find(name);
        const double other = it == actual.reals.end() ? NAN : it->second;
        const double allowed = relative_tolerance * std::max(1.0, std::fabs(value));
        if (!(std::fabs(other - value) <= allowed)) {
            char line[160];
            std::snprintf(line, sizeof line, "\n  %s: %.9g -> %.9g", name.c_str(), value, other);
            differences += line;
        }
    }
    if (differences.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "fields that differ:" << differences;
}

void reset_settings_records() {
    apply_builtin_defaults();
    const MyTas0Record fresh;
    my_tas_0.tau_v = fresh.tau_v;
    my_tas_0.tau_f = fresh.tau_f;
    option.nlang = OptionRecord{}.nlang;
    option.qrestart = false;
    option.qkeepwnd = false;
    files = FilesRecord{};
    my_tas_1 = MyTas1Record{};
    my_tas_1.numver = 3210;
    messages = MessagesRecord{};
}

} // namespace kalveo::testing
