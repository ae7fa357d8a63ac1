#include "report/repeated_fault.h"

#include <utility>

namespace kalveo {

namespace {

std::string times(long n) {
    return std::to_string(n) + (n == 1 ? " time" : " times");
}

} // namespace

RepeatedFault::RepeatedFault(Write write, Clock::duration interval, Clock::duration settle)
    : write_(std::move(write)), interval_(interval), settle_(settle) {}

void RepeatedFault::fault(std::string_view text, Clock::time_point now) {
    last_text_ = text;
    last_fault_ = now;
    if (!active_) {
        active_ = true;
        total_ = 1;
        unreported_ = 0;
        last_line_ = now;
        if (write_) write_(last_text_);
        return;
    }
    ++total_;
    ++unreported_;
    if (now - last_line_ < interval_) return;
    if (write_) write_(last_text_ + " (repeated " + times(unreported_) + ")");
    unreported_ = 0;
    last_line_ = now;
}

void RepeatedFault::worked(Clock::time_point now) {
    if (active_ && now - last_fault_ >= settle_) finish();
}

void RepeatedFault::finish() {
    if (!active_) return;
    if (write_) write_("Ended : " + last_text_ + " (" + times(total_) + " in all)");
    active_ = false;
    total_ = 0;
    unreported_ = 0;
}

} // namespace kalveo
