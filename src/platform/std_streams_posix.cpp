#include "platform/std_streams.h"

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace kalveo {

namespace {

int terminal = -1;

int open_output(const std::filesystem::path& file, const char* failure) {
    // Emptied: after a failed backup, leftovers of the previous run would
    // otherwise trail the new output.
    const int fd = open(file.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0) std::perror(failure);
    return fd;
}

} // namespace

bool redirect_standard_streams(const std::filesystem::path& out_file,
                               const std::filesystem::path& err_file) {
    const int out = open_output(out_file, "start_redirect : opening StdOut.log");
    if (out < 0) return false;
    const int err = open_output(err_file, "start_redirect : opening StdErr.log");
    if (err < 0) {
        close(out);
        return false;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    bool done = true;
    if (dup2(out, STDOUT_FILENO) < 0) {
        std::perror("cannot redirect stdout");
        done = false;
    } else if (dup2(err, STDERR_FILENO) < 0) {
        std::perror("cannot redirect stderr");
        done = false;
    }
    close(out);
    close(err);
    return done;
}

void keep_terminal_output() {
    if (terminal >= 0) return;
    terminal = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
}

void terminal_line(std::string_view text) {
    if (terminal < 0) return;
    const std::string line = std::string(text) + "\n";
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = write(terminal, line.data() + done, line.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
}

} // namespace kalveo
