#include "platform/process.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace kalveo {

namespace {

bool spawn(const std::vector<std::string>& argv, pid_t& pid) {
    if (argv.empty() || argv[0].empty()) return false;
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    return posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) == 0;
}

} // namespace

int run_program(const std::vector<std::string>& argv) {
    pid_t pid = 0;
    if (!spawn(argv, pid)) return kNotStarted;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return kNotStarted;
    }
    if (WIFEXITED(status)) {
        // posix_spawnp reports a missing program as the child's exit 127.
        return WEXITSTATUS(status);
    }
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return kNotStarted;
}

bool launch_program(const std::vector<std::string>& argv) {
    pid_t pid = 0;
    if (!spawn(argv, pid)) return false;
    // Reap it without waiting so it does not linger as a zombie when it ends.
    int status = 0;
    (void)waitpid(pid, &status, WNOHANG);
    return true;
}

} // namespace kalveo
