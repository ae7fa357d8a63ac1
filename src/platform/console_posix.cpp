#include "platform/console.h"

#include <cerrno>
#include <unistd.h>

namespace kalveo {

int console_process_count() {
    // Started from a shell, the terminal's foreground group is ours but the
    // session belongs to the shell; started alone (a desktop launcher, a
    // terminal running only us) we lead our own session or have no terminal.
    if (!isatty(STDIN_FILENO) && !isatty(STDOUT_FILENO)) return 1;
    const pid_t session = getsid(0);
    return session == getpid() ? 1 : 2;
}

bool hide_console_window() { return false; }

int last_system_error() { return errno; }

void clear_system_error() { errno = 0; }

} // namespace kalveo
