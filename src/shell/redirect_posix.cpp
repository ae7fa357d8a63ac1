#include "platform/paths.h"
#include "shell/console.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace kalveo {

namespace {

int open_output(const char* name, const char* failure) {
    // Emptied: after a failed backup, leftovers of the previous run would
    // otherwise trail the new output.
    const int fd =
        open(native_path(name).c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0) std::perror(failure);
    return fd;
}

} // namespace

int start_redirect(const char* outfile, const char* errfile) {
    const int out = open_output(outfile, "start_redirect : opening StdOut.log");
    if (out < 0) return kRedirectFailed;
    const int err = open_output(errfile, "start_redirect : opening StdErr.log");
    if (err < 0) {
        close(out);
        return kRedirectFailed;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    int result = 0;
    if (dup2(out, STDOUT_FILENO) < 0) {
        std::perror("cannot redirect stdout");
        result = kRedirectFailed;
    } else if (dup2(err, STDERR_FILENO) < 0) {
        std::perror("cannot redirect stderr");
        result = kRedirectFailed;
    }
    close(out);
    close(err);
    return result;
}

} // namespace kalveo
