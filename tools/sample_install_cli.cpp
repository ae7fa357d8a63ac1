// kalveo-sample-install: builds a sample simulator installation for the demo.
#include "sample_install/sample_install.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void usage() {
    std::puts("Usage: kalveo-sample-install <folder> [options]\n"
              "  --condor2            install version 2 as well\n"
              "  --no-condor3         leave version 3 out\n"
              "  --pilot NAME         pilot name (default \"Sample Pilot\")\n"
              "  --login NAME         Wine user folder name (default: your login)\n"
              "  --started | --in-flight | --left | --shut-down\n"
              "                       what the simulator's log records (default --started)\n"
              "  --udp-off            telemetry output off in UDP.ini\n"
              "  --no-extended        extended telemetry off in UDP.ini\n"
              "  --port N             UDP port in UDP.ini (default 55278)\n"
              "  --imperial           imperial units in Setup.ini\n"
              "  --no-flight-plan     no Flightplan.fpl in the pilot folder\n"
              "  --glider NAME        glider of the flight plan (a sample glider: LS8neo,\n"
              "                       ASK21, Discus2a, Diana2, Arcus)\n"
              "Then run the program with WINEPREFIX=<folder>.");
}

bool take_option(kalveo::SampleInstallOptions& o, std::string_view arg, const char* next,
                 bool& used_next) {
    using kalveo::SampleLogState;
    used_next = false;
    if (arg == "--condor2")
        o.condor2 = true;
    else if (arg == "--no-condor3")
        o.condor3 = false;
    else if (arg == "--started")
        o.log_state = SampleLogState::started;
    else if (arg == "--in-flight")
        o.log_state = SampleLogState::in_flight;
    else if (arg == "--left")
        o.log_state = SampleLogState::left;
    else if (arg == "--shut-down")
        o.log_state = SampleLogState::shut_down;
    else if (arg == "--udp-off")
        o.udp.enabled = false;
    else if (arg == "--no-extended")
        o.udp.extended = false;
    else if (arg == "--imperial")
        o.units = 1;
    else if (arg == "--no-flight-plan")
        o.flight_plan = false;
    else if (next != nullptr &&
             (arg == "--pilot" || arg == "--login" || arg == "--port" || arg == "--glider")) {
        used_next = true;
        if (arg == "--pilot")
            o.pilot = next;
        else if (arg == "--login")
            o.login = next;
        else if (arg == "--glider")
            o.glider = next;
        else
            o.udp.port = std::atoi(next);
    } else {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        usage();
        return argc < 2 ? 2 : 0;
    }
    kalveo::SampleInstallOptions options;
    for (int i = 2; i < argc; ++i) {
        bool used_next = false;
        if (!take_option(options, argv[i], i + 1 < argc ? argv[i + 1] : nullptr, used_next)) {
            std::fprintf(stderr, "kalveo-sample-install: unknown option %s\n", argv[i]);
            usage();
            return 2;
        }
        if (used_next) ++i;
    }
    const auto install = kalveo::build_sample_installation(argv[1], options);
    if (!install.ok) {
        std::fprintf(stderr, "kalveo-sample-install: %s\n", install.error.c_str());
        return 1;
    }
    std::printf("WINEPREFIX=%s\n", install.prefix.string().c_str());
    for (const auto* v : {&install.condor2, &install.condor3})
        if (!v->install_dir.empty())
            std::printf("%s  pilot folder %s\n", v->install_dir.c_str(), v->pilot_dir.c_str());
    return 0;
}
