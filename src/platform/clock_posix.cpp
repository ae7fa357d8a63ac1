#include "platform/clock.h"

#include <cerrno>
#include <time.h>

namespace kalveo {

void sleep_ms(int milliseconds) {
    if (milliseconds <= 0) return;
    timespec wait{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

std::tm local_time_now() {
    const std::time_t now = std::time(nullptr);
    std::tm out{};
    localtime_r(&now, &out);
    return out;
}

} // namespace kalveo
