// platform/console: the terminal or console window the program was started in.
#pragma once

namespace kalveo {

/// Number of processes sharing this process's console or terminal session,
/// as far as the system tells (1 when this process is alone on it).
[[nodiscard]] int console_process_count();

/// Hides the console window when there is one to hide; returns true when a
/// window was hidden. Terminals on Linux have no window of ours to hide.
bool hide_console_window();

/// The last system error code, and clearing it.
[[nodiscard]] int last_system_error();
void clear_system_error();

} // namespace kalveo
