#include "xvfb_server.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace kalveo::testing {

namespace {

/// Reads the display number Xvfb writes once it accepts clients.
std::string read_display_number(int fd, int timeout_ms) {
    std::string text;
    while (text.find('\n') == std::string::npos) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, timeout_ms) <= 0) return {};
        char buffer[32];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) return {};
        text.append(buffer, static_cast<std::size_t>(n));
    }
    text.resize(text.find('\n'));
    return text.empty() ? std::string() : ":" + text;
}

} // namespace

XvfbServer::XvfbServer(int width, int height) {
    int fds[2];
    if (pipe(fds) != 0) return;
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    std::vector<std::string> args = {"Xvfb", "-displayfd", "3",         "-screen",
                                     "0",    screen,       "-nolisten", "tcp"};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int started = posix_spawnp(&pid, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (started == 0) {
        pid_ = pid;
        display_ = read_display_number(fds[0], 10000);
    }
    close(fds[0]);
}

XvfbServer::~XvfbServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
}

XvfbServer* shared_xvfb() {
    static const std::unique_ptr<XvfbServer> server = [] {
        auto started = std::make_unique<XvfbServer>(1024, 768);
        if (!started->running()) started.reset();
        return started;
    }();
    return server.get();
}

} // namespace kalveo::testing
