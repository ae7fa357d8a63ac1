#include "shell/startup_text.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kalveo {

namespace {

int terminal = -1;

} // namespace

void startup_print(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void keep_terminal() {
    if (terminal >= 0) return;
#ifdef _WIN32
    terminal = _dup(1);
#else
    terminal = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
#endif
}

void print_on_terminal(const std::string& text) {
    if (terminal < 0) return;
    const std::string line = text + "\n";
#ifdef _WIN32
    (void)_write(terminal, line.data(), static_cast<unsigned>(line.size()));
#else
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = write(terminal, line.data() + done, line.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
#endif
}

} // namespace kalveo
