#include "platform/clock.h"

#include <windows.h>

namespace kalveo {

void sleep_ms(int milliseconds) {
    if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}

std::tm local_time_now() {
    const std::time_t now = std::time(nullptr);
    std::tm out{};
    localtime_s(&out, &now);
    return out;
}

} // namespace kalveo
