#include "platform/console.h"

#include <windows.h>

namespace kalveo {

int console_process_count() {
    DWORD list[8];
    return static_cast<int>(GetConsoleProcessList(list, 8));
}

bool hide_console_window() {
    HWND window = GetConsoleWindow();
    if (window == nullptr) return false;
    ShowWindow(window, SW_HIDE);
    return true;
}

int last_system_error() { return static_cast<int>(GetLastError()); }

void clear_system_error() { SetLastError(0); }

} // namespace kalveo
