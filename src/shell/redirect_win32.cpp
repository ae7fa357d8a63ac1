#include "platform/paths.h"
#include "shell/console.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace kalveo {

namespace {

int open_output(const char* name, const char* failure) {
    const int fd = _wopen(native_path(name).c_str(), _O_RDWR | _O_CREAT | _O_TRUNC | _O_TEXT,
                          _S_IREAD | _S_IWRITE);
    if (fd < 0) std::perror(failure);
    return fd;
}

} // namespace

int start_redirect(const char* outfile, const char* errfile) {
    const int out = open_output(outfile, "start_redirect : opening StdOut.log");
    if (out < 0) return kRedirectFailed;
    const int err = open_output(errfile, "start_redirect : opening StdErr.log");
    if (err < 0) {
        _close(out);
        return kRedirectFailed;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    int result = 0;
    if (_dup2(out, _fileno(stdout)) < 0) {
        std::perror("cannot redirect stdout");
        result = kRedirectFailed;
    } else if (_dup2(err, _fileno(stderr)) < 0) {
        std::perror("cannot redirect stderr");
        result = kRedirectFailed;
    }
    _close(out);
    _close(err);
    return result;
}

} // namespace kalveo
