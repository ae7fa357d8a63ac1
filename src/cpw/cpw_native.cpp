#include "cpw/cpw.h"
#include "platform/window_style.h"

namespace kalveo {

std::uintptr_t cpw_native_window(pCpw cpw, CpwWindowId winid) {
    return native_window_handle(cpw_sdl_window(cpw, winid));
}

} // namespace kalveo
