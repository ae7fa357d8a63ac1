#include "platform/key_names.h"

#include <windows.h>

namespace kalveo {

std::optional<std::string> scan_code_name(int scancode) {
    // Scan codes have 8 bits, and the extended flag makes 9.
    if (scancode <= 0 || scancode > 511) return std::nullopt;
    // GetKeyNameText takes the scan code in bits 16 to 23 and the extended
    // flag in bit 24, which is where 256 added to the code lands.
    char name[64] = {};
    const int n = GetKeyNameTextA(static_cast<LONG>(scancode) << 16, name, sizeof name);
    if (n <= 0) return std::nullopt;
    return std::string(name, static_cast<std::size_t>(n));
}

} // namespace kalveo
