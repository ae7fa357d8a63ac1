#include "report/stop.h"

#include "report/log_channel.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <vector>

namespace kalveo {

namespace {

// The clean-up steps of the process and whether the stop has begun: one stop per process,
// registered from wherever a part opens something that must be closed.
struct Stop {
    std::vector<std::function<void()>> steps;
    bool stopping = false;
};

Stop& the_stop() {
    static Stop stop;
    return stop;
}

[[noreturn]] void flush_and_exit(int exit_status) {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    // No static destructors: the stop may come from deep inside a callback of
    // the windowing or sound library, whose state is not ours to tear down.
    std::_Exit(exit_status);
}

} // namespace

void at_stop(std::function<void()> step) {
    if (step) the_stop().steps.push_back(std::move(step));
}

void stop_program(std::string_view reason, int exit_status) {
    // A step that fails fatally itself must not start the stop again.
    Stop& stop = the_stop();
    if (stop.stopping) flush_and_exit(exit_status);
    stop.stopping = true;
    if (!reason.empty()) detail::write_plain_log_line(reason);
    auto& steps = stop.steps;
    while (!steps.empty()) {
        auto step = std::move(steps.back());
        steps.pop_back();
        step();
    }
    flush_and_exit(exit_status);
}

} // namespace kalveo
