#include "report/stop.h"

#include "report/log_channel.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <vector>

namespace kalveo {

namespace {

std::vector<std::function<void()>>& stop_steps() {
    static std::vector<std::function<void()>> steps;
    return steps;
}

bool stopping = false;

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
    if (step) stop_steps().push_back(std::move(step));
}

void stop_program(std::string_view reason, int exit_status) {
    // A step that fails fatally itself must not start the stop again.
    if (stopping) flush_and_exit(exit_status);
    stopping = true;
    if (!reason.empty()) detail::write_plain_log_line(reason);
    auto& steps = stop_steps();
    while (!steps.empty()) {
        auto step = std::move(steps.back());
        steps.pop_back();
        step();
    }
    flush_and_exit(exit_status);
}

} // namespace kalveo
