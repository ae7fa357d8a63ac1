// The display's clock and the settings colours.
#include "display/display_state.h"

#include <chrono>

namespace kalveo {

double display_clock() {
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

Rgb8 ConvertColor_US(int value) {
    // Only the low 24 bits carry a colour; anything above is not one.
    const auto bits = static_cast<unsigned>(value);
    return {static_cast<std::uint8_t>((bits >> 16) & 0xFFU),
            static_cast<std::uint8_t>((bits >> 8) & 0xFFU),
            static_cast<std::uint8_t>(bits & 0xFFU)};
}

RgbF ConvertColor(int value) {
    const Rgb8 bytes = ConvertColor_US(value);
    return {bytes[0] / 255.0F, bytes[1] / 255.0F, bytes[2] / 255.0F};
}

} // namespace kalveo
