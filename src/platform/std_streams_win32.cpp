#include "platform/std_streams.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <sys/stat.h>

namespace kalveo {

namespace {

int terminal = -1;

int open_output(const std::filesystem::path& file, const char* failure) {
    const int fd =
        _wopen(file.c_str(), _O_RDWR | _O_CREAT | _O_TRUNC | _O_TEXT, _S_IREAD | _S_IWRITE);
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
        _close(out);
        return false;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    bool done = true;
    if (_dup2(out, _fileno(stdout)) < 0) {
        std::perror("cannot redirect stdout");
        done = false;
    } else if (_dup2(err, _fileno(stderr)) < 0) {
        std::perror("cannot redirect stderr");
        done = false;
    }
    _close(out);
    _close(err);
    return done;
}

void keep_terminal_output() {
    if (terminal >= 0) return;
    terminal = _dup(1);
}

void terminal_line(std::string_view text) {
    if (terminal < 0) return;
    const std::string line = std::string(text) + "\n";
    (void)_write(terminal, line.data(), static_cast<unsigned>(line.size()));
}

} // namespace kalveo
